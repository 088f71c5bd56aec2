#include "lineouts.h"

#include "qixdevice.h"
#include "ixmsgids.h"
#include "settings.h"

namespace mixer {

namespace {

enum class Kind { Input, Master, Aux, Computer };

// A run of neighbouring choices that differ only in their number.
struct Run {
    Kind kind;
    int count;
    uint32_t type;
    int firstChannel;
    const char *text; // %1: 1 for the run's first choice
};

QString arrowOf(Kind kind, int index, int channel)
{
    switch (kind) {
    case Kind::Input:
        // The input pictures count selector positions, not unit inputs.
        return QStringLiteral(":Resource/arrow_AD/arrow_AD-%1.png").arg(index + 1);
    case Kind::Master:
        return channel == 1 ? QStringLiteral(":Resource/arrow_ST/arrow_ST-L.png")
                            : QStringLiteral(":Resource/arrow_ST/arrow_ST-R.png");
    case Kind::Aux:
        return QStringLiteral(":Resource/arrow_AUX/arrow_AUX-%1.png").arg(channel);
    case Kind::Computer:
        return QStringLiteral(":Resource/arrow_comp/arrow_comp-%1.png").arg(channel);
    }
    return QString();
}

QVector<LineOutChoice> build(std::initializer_list<Run> runs)
{
    QVector<LineOutChoice> out;
    for (const Run &r : runs) {
        for (int k = 0; k < r.count; ++k) {
            const int channel = r.firstChannel + k;
            const QString text =
                QString::fromLatin1(r.text).replace(QLatin1String("%1"), QString::number(k + 1));
            out.push_back({text, {r.type, uint8_t(channel)}, arrowOf(r.kind, out.size(), channel)});
        }
    }
    return out;
}

constexpr uint32_t In = IXMSG_DATA_CH_INPUT;
constexpr uint32_t Mst = IXMSG_DATA_CH_MASTER;
constexpr uint32_t Aux = IXMSG_DATA_CH_AUX;
constexpr uint32_t Pc = IXMSG_DATA_CH_COMPUTER;

} // namespace

const QVector<LineOutChoice> &lineOutChoices(UnitModel model)
{
    static const QVector<LineOutChoice> k2 =
        build({{Kind::Input, 4, In, 1, QT_TRANSLATE_NOOP("SourceName", "INPUT %1")},
               {Kind::Input, 8, In, 5, QT_TRANSLATE_NOOP("SourceName", "OPT A%1")},
               {Kind::Input, 8, In, 13, QT_TRANSLATE_NOOP("SourceName", "OPT B%1")},
               {Kind::Master, 1, Mst, 1, QT_TRANSLATE_NOOP("SourceName", "MASTER L")},
               {Kind::Master, 1, Mst, 2, QT_TRANSLATE_NOOP("SourceName", "MASTER R")},
               {Kind::Aux, 4, Aux, 1, QT_TRANSLATE_NOOP("SourceName", "AUX %1")},
               {Kind::Computer, 10, Pc, 1, QT_TRANSLATE_NOOP("SourceName", "COMPUTER %1")}});
    // The small unit has two analogue inputs and one optical port.
    static const QVector<LineOutChoice> k1 =
        build({{Kind::Input, 2, In, 1, QT_TRANSLATE_NOOP("SourceName", "INPUT %1")},
               {Kind::Input, 8, In, 5, QT_TRANSLATE_NOOP("SourceName", "OPT A%1")},
               {Kind::Master, 1, Mst, 1, QT_TRANSLATE_NOOP("SourceName", "MASTER L")},
               {Kind::Master, 1, Mst, 2, QT_TRANSLATE_NOOP("SourceName", "MASTER R")},
               {Kind::Aux, 4, Aux, 1, QT_TRANSLATE_NOOP("SourceName", "AUX %1")},
               {Kind::Computer, 4, Pc, 1, QT_TRANSLATE_NOOP("SourceName", "COMPUTER %1")}});
    return model == UnitModel::K1 ? k1 : k2;
}

int lineOutputs(UnitModel model)
{
    return model == UnitModel::K1 ? 2 : 8;
}

namespace {
settings::Key<int> lineOutKey(UnitModel model, int output)
{
    return model == UnitModel::K1 ? settings::key::lineOutK1(output) : settings::key::lineOut(output);
}
} // namespace

int defaultLineOutChoice(UnitModel model, int output)
{
    return settings::defaultValue(lineOutKey(model, output));
}

LineOutModel::LineOutModel(Settings &settings, QIXDevice &device, QObject *parent)
    : QObject(parent), settings_(settings), device_(device)
{
    for (int n = 1; n <= 8; ++n)
        k2_[size_t(n - 1)] = defaultLineOutChoice(UnitModel::K2, n);
    for (int n = 1; n <= 2; ++n)
        k1_[size_t(n - 1)] = defaultLineOutChoice(UnitModel::K1, n);
}

int &LineOutModel::slot(UnitModel model, int output)
{
    return model == UnitModel::K1 ? k1_[size_t(output - 1)] : k2_[size_t(output - 1)];
}

int LineOutModel::choice(UnitModel model, int output) const
{
    if (output < 1 || output > lineOutputs(model))
        return -1;
    return model == UnitModel::K1 ? k1_[size_t(output - 1)] : k2_[size_t(output - 1)];
}

bool LineOutModel::select(UnitModel model, int output, int index)
{
    if (output < 1 || output > lineOutputs(model) || index < 0 || index >= lineOutChoices(model).size())
        return false;
    slot(model, output) = index;
    settings_.setValue(lineOutKey(model, output), index);
    route(model, output);
    return true;
}

void LineOutModel::applyStored(UnitModel model)
{
    const int choices = lineOutChoices(model).size();
    for (int n = 1; n <= lineOutputs(model); ++n) {
        const int stored = settings_.value(lineOutKey(model, n));
        slot(model, n) = stored >= 0 && stored < choices ? stored : defaultLineOutChoice(model, n);
        route(model, n);
    }
}

void LineOutModel::reapply(UnitModel model)
{
    for (int n = 1; n <= lineOutputs(model); ++n)
        route(model, n);
}

void LineOutModel::route(UnitModel model, int output)
{
    const int index = slot(model, output);
    const RouteSource &from = lineOutChoices(model)[index].route;
    if (!held_)
        device_.set_assign_ch(from.type, from.channel, IXMSG_DATA_CH_OUTPUT, uint32_t(output));
    emit choiceApplied(model, output, index);
}

} // namespace mixer
