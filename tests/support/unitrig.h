// A mixer model wired to a device object whose messages go through the real encoder into the
// in-process firmware model, so tests assert what the unit holds rather than which calls were made.
#pragma once

#include "firmware.h"
#include "ixmsg.h"
#include "ixmsgids.h"
#include "mixcontrols.h"
#include "mixermodel.h"
#include "settings.h"

#include "virtualunit.h"
#include "workerrig.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QStringList>

#include <memory>

// The strip a settings group names ("Track7", "Track7_8", "TrackMaster"); tests speak of strips as the
// file does. Anything else names no strip.
inline mixer::StripRef strip(const QString &group)
{
    if (group == mixer::kMasterTrack)
        return mixer::masterRef();
    for (int n = 1; n <= mixer::kTracks; ++n)
        if (group == mixer::trackName(n))
            return mixer::monoRef(n);
    for (int n = 1; n <= mixer::kPairs; ++n)
        if (group == mixer::pairName(n))
            return mixer::pairRef(n);
    return {};
}

struct UnitRig : WorkerRig {
    Settings settings;
    lyntra::fw::Firmware fw;
    std::unique_ptr<mixer::MixerModel> model;
    std::unique_ptr<mixer::MixControls> controls; // what the widgets hand their changes to

    // Starts from an empty main settings file: tests in one process share the configuration folder.
    explicit UnitRig(bool freshSettings = true)
    {
        if (freshSettings)
            settings.deleteMainFile();
        reply = [this](const QByteArray &msg) {
            if (!msg.isEmpty())
                fw.apply(reinterpret_cast<const uint8_t *>(msg.constData()), static_cast<size_t>(msg.size()));
            QByteArray out(64, '\0');
            fw.nextReply(reinterpret_cast<uint8_t *>(out.data()));
            return out;
        };
        model = std::make_unique<mixer::MixerModel>(settings, dev);
        controls = std::make_unique<mixer::MixControls>(*model);
    }

    // Lets the device object send everything pending and the firmware apply it.
    void flush() { drain(); }

    const lyntra::fw::MixState &unit()
    {
        flush();
        return fw.mix();
    }

    // Wire values as the unit holds them (-1000 when never received).
    static int v(const lyntra::fw::Value &x) { return x ? static_cast<int>(*x) : -1000; }

    // "path=value" entries of the unit's state document ("null": never received); the first that does
    // not hold, or empty.
    QString mismatch(const QStringList &expected)
    {
        flush();
        const QJsonObject state = fw.state();
        for (const QString &e : expected) {
            const QJsonValue v = lyntra_test::json_at(state, e.section('=', 0, 0));
            const QString got = v.isDouble() ? QString::number(v.toInt()) : QStringLiteral("null");
            if (got != e.section('=', 1))
                return QStringLiteral("%1 (unit %2)").arg(e, got);
        }
        return QString();
    }
};
