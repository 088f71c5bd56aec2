// The mixer page over a model whose device messages reach the in-process firmware.
#pragma once

#include "mixerpage.h"
#include "pagerig.h"
#include "resources.h"
#include "unitrig.h"

#include <QSettings>

struct MixerRig : PageRig {
    // The artwork first: the strips' style sheets and knob frames load it as they are built.
    bool art = (lyntra_init_resources(), true);
    UnitRig unit;
    MixerPage page{*unit.controls};

    MixerRig() { page.show(); }
    QWidgetList roots() override { return {&page}; }

    // Settings entries written as "Group/Key=value" against the stored values (a key outside the
    // tables, such as a pair side's phase, reads false when absent); the first mismatch, or empty.
    QString storedMismatch(const QStringList &entries)
    {
        unit.settings.sync();
        const QSettings file(unit.settings.mainFilePath(), QSettings::IniFormat);
        for (const QString &e : entries) {
            const int slash = e.indexOf('/'), eq = e.indexOf('=');
            QVariant got = unit.settings.value(e.left(slash), e.mid(slash + 1, eq - slash - 1));
            if (!got.isValid())
                got = file.value(e.left(eq), false);
            if (got.toString() != e.mid(eq + 1))
                return QStringLiteral("%1 (stored %2)").arg(e, got.toString());
        }
        return QString();
    }

    bool link(int pair)
    {
        return click(mixer::widgetName(mixer::WidgetKind::LinkOn, {mixer::StripKind::Pair, pair}));
    }
};
