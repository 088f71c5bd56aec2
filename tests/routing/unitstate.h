// Reads the routes and output levels out of a unit state document (the virtual unit's `state`).
#pragma once

#include "virtualunit.h"

#include <QPair>

using Route = QPair<int, int>; // input type, channel; {-1, -1} when never set

inline Route routeOf(const QJsonObject &state, int output)
{
    const QString at = QStringLiteral("route.%1.").arg(output - 1);
    return {lyntra_test::json_at(state, at + QLatin1String("type")).toInt(-1),
            lyntra_test::json_at(state, at + QLatin1String("channel")).toInt(-1)};
}

// Routes of outputs 1..outputs.
inline QList<Route> routesOf(const QJsonObject &state, int outputs)
{
    QList<Route> routes;
    for (int n = 1; n <= outputs; ++n)
        routes << routeOf(state, n);
    return routes;
}

// Tenths of a dB of line output 1..8 or the monitor master (9); -1000 when never set.
inline int outputLevel(const QJsonObject &state, int channel)
{
    return lyntra_test::json_at(state, QStringLiteral("fader.output.%1").arg(channel - 1)).toInt(-1000);
}
