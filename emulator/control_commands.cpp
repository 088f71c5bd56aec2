#include "control_commands.h"

#include "fault_plan.h"
#include "firmware.h"
#include "trace_log.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <cmath>

namespace lyntra::fw {
namespace {

QByteArray toLine(const QJsonObject &o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

QByteArray error(const QString &text)
{
    return toLine({{"error", text}});
}

QByteArray ok()
{
    return toLine({{"ok", true}});
}

bool number(const QString &text, uint32_t max, uint32_t *out)
{
    bool good = false;
    const qulonglong v = text.toULongLong(&good, 0);
    if (!good || v > max)
        return false;
    *out = static_cast<uint32_t>(v);
    return true;
}

const char kHelp[] =
    "state | status | plug | unplug | trace [clear] | fault <fail|short|garbage|notready|delay> "
    "<count> [ms] | fault clear | set <model K1|K2 | product TEXT | version N | build N | "
    "rate HZ | lock SRC CODE | clockhz SRC HZ | dspmode N | builddate TEXT | buildtime TEXT | "
    "level INPUT <0-32768|DBdB|signal> | freeze on|off>";

// A source level: linear on the meter scale ("29204"), in dB below full scale ("-6.5dB"), or "signal"
// for the moving test signal (nullopt). False when it is none of these or above full scale.
bool sourceLevel(const QString &text, std::optional<double> *out)
{
    if (text == QLatin1String("signal")) {
        out->reset();
        return true;
    }
    bool good = false;
    double v = 0.0;
    if (text.endsWith(QLatin1String("dB"), Qt::CaseInsensitive)) {
        const double db = text.chopped(2).toDouble(&good);
        v = double(kFullScale) * std::pow(10.0, db / 20.0);
    } else {
        v = double(text.toUInt(&good, 10));
    }
    if (!good || !std::isfinite(v) || v > kFullScale)
        return false;
    *out = v;
    return true;
}

} // namespace

ControlCommands::ControlCommands(Firmware &firmware, FaultPlan &faults, TraceLog &trace, PlugHook plug)
    : firmware_(firmware), faults_(faults), trace_(trace), plug_(std::move(plug))
{}

QByteArray ControlCommands::handle(const QString &line)
{
    const QStringList args = line.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (args.isEmpty())
        return error(QStringLiteral("empty command"));
    const QString &cmd = args.first();
    if (cmd == QLatin1String("state") && args.size() == 1)
        return toLine(firmware_.state());
    if (cmd == QLatin1String("status") && args.size() == 1)
        return status();
    if ((cmd == QLatin1String("plug") || cmd == QLatin1String("unplug")) && args.size() == 1) {
        QString why;
        const bool in = cmd == QLatin1String("plug");
        if (plug_ && !plug_(in, &why))
            return error(why);
        plugged_ = in;
        return ok();
    }
    if (cmd == QLatin1String("trace") && args.size() == 1)
        return toLine(trace_.toJson());
    if (cmd == QLatin1String("trace") && args.size() == 2 && args[1] == QLatin1String("clear")) {
        trace_.clear();
        return ok();
    }
    if (cmd == QLatin1String("set"))
        return set(args);
    if (cmd == QLatin1String("fault"))
        return fault(args);
    if (cmd == QLatin1String("help"))
        return toLine({{"help", QString::fromLatin1(kHelp)}});
    return error(QStringLiteral("unknown command: %1").arg(line.trimmed().left(80)));
}

QByteArray ControlCommands::set(const QStringList &args)
{
    if (args.size() < 3)
        return error(QStringLiteral("usage: set <name> <values...>"));
    const QString &name = args[1];
    const QString rest = args.mid(2).join(QLatin1Char(' '));
    uint32_t a = 0, b = 0;
    if (name == QLatin1String("model") && args.size() == 3) {
        if (args[2] != QLatin1String("K1") && args[2] != QLatin1String("K2"))
            return error(QStringLiteral("model must be K1 or K2"));
        firmware_.setModel(args[2] == QLatin1String("K1") ? Model::K1 : Model::K2);
        return ok();
    }
    if (name == QLatin1String("product"))
        return firmware_.setProductName(rest) ? ok() : error(QStringLiteral("product name of 1-40 bytes"));
    if (name == QLatin1String("builddate"))
        return firmware_.setBuildDate(rest) ? ok() : error(QStringLiteral("build date of 1-40 bytes"));
    if (name == QLatin1String("buildtime"))
        return firmware_.setBuildTime(rest) ? ok() : error(QStringLiteral("build time of 1-40 bytes"));
    if (name == QLatin1String("freeze") && args.size() == 3) {
        if (args[2] != QLatin1String("on") && args[2] != QLatin1String("off"))
            return error(QStringLiteral("freeze must be on or off"));
        firmware_.setSignalFrozen(args[2] == QLatin1String("on"));
        return ok();
    }
    if (name == QLatin1String("level") && args.size() == 4) {
        std::optional<double> level;
        if (!number(args[2], kInputs, &a) || !sourceLevel(args[3], &level) ||
            !firmware_.setSourceLevel(int(a), level))
            return error(QStringLiteral("usage: set level <input 1-20> <0-32768 | DBdB up to 0dB | signal>"));
        return ok();
    }
    if (args.size() == 3 && number(args[2], 0xFFFF, &a)) {
        if (name == QLatin1String("version")) {
            firmware_.setVersion(static_cast<uint16_t>(a));
            return ok();
        }
        if (name == QLatin1String("build")) {
            firmware_.setBuild(static_cast<uint16_t>(a));
            return ok();
        }
    }
    if (args.size() == 3 && number(args[2], 0xFFFFFFFFu, &a)) {
        if (name == QLatin1String("rate")) {
            firmware_.setRate(a);
            return ok();
        }
        if (name == QLatin1String("dspmode")) {
            firmware_.setDspMode(a);
            return ok();
        }
    }
    if (args.size() == 4 && number(args[2], 0xFF, &a) && number(args[3], 0xFFFFFFFFu, &b)) {
        if (name == QLatin1String("lock"))
            return firmware_.setClockLock(a, b) ? ok() : error(QStringLiteral("source must be 1, 2, 5 or 6"));
        if (name == QLatin1String("clockhz"))
            return firmware_.setClockHz(a, b) ? ok() : error(QStringLiteral("source must be 1, 2, 5 or 6"));
    }
    return error(QStringLiteral("bad set: %1").arg(args.join(QLatin1Char(' ')).left(80)));
}

QByteArray ControlCommands::fault(const QStringList &args)
{
    if (args.size() == 2 && args[1] == QLatin1String("clear")) {
        faults_.clear();
        return ok();
    }
    FaultKind kind;
    uint32_t count = 0, ms = FaultPlan::kDefaultDelayMs;
    if (args.size() < 3 || args.size() > 4 || !FaultPlan::parseKind(args[1], &kind) ||
        !number(args[2], 1000000, &count))
        return error(QStringLiteral("usage: fault <fail|short|garbage|notready|delay> <count> [ms]"));
    if (args.size() == 4 && (kind != FaultKind::Delay || !number(args[3], FaultPlan::kMaxDelayMs, &ms)))
        return error(QStringLiteral("only delay takes milliseconds (0-%1)").arg(FaultPlan::kMaxDelayMs));
    faults_.arm(kind, int(count), int(ms));
    return ok();
}

QByteArray ControlCommands::status() const
{
    const Identity &id = firmware_.identity();
    QJsonObject lock, hz;
    QJsonArray levels;
    for (const std::optional<double> &level : firmware_.sources().level)
        levels.append(level ? QJsonValue(*level) : QJsonValue());
    for (uint32_t source : Firmware::kSources) {
        lock.insert(QString::number(source), qint64(firmware_.clockLock(source)));
        hz.insert(QString::number(source), qint64(firmware_.clockHz(source)));
    }
    return toLine({{"model", id.model == Model::K1 ? "K1" : "K2"},
                   {"plugged", plugged_},
                   {"dspmode", qint64(id.dspMode)},
                   {"build_date", id.buildDate},
                   {"build_time", id.buildTime},
                   {"lock", lock},
                   {"clockhz", hz},
                   {"faults", faults_.toJson()},
                   {"frozen", firmware_.signalFrozen()},
                   {"levels", levels},
                   {"pending_answers", firmware_.hasPendingAnswers()},
                   {"dropped_answers", qint64(firmware_.droppedAnswers())},
                   {"trace_entries", qint64(trace_.size())}});
}

} // namespace lyntra::fw
