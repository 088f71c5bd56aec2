// The rows of the address space. Each row names its address and the model call behind it; every
// value is the one a user reads on screen, and every change is the call a widget makes for the same
// gesture, so linked pairs, solo and the store behave as on screen.
#include "addresstable.h"

#include "lineouts.h"
#include "mixaccess.h"
#include "mixermodel.h"
#include "monitormodel.h"
#include "reverbmodel.h"
#include "settings.h"
#include "unitstatus.h"
#include "userscales.h"

#include "ixmsgids.h"

namespace remote {
namespace {

using mixer::DynKnob;
using mixer::Side;
using mixer::StripRef;

int pairOf(int input)
{
    return (input + 1) / 2;
}

// An input is its own strip, or while its pair is linked the pair's stereo strip and one side of it.
StripRef strip(const Mix &m, const Address &a)
{
    const int pair = pairOf(a.index);
    return m.mixer.pairLinked(pair) ? mixer::pairRef(pair) : mixer::monoRef(a.index);
}

Side side(const Mix &m, const Address &a)
{
    if (!m.mixer.pairLinked(pairOf(a.index)))
        return Side::None;
    return a.index % 2 == 1 ? Side::Left : Side::Right;
}

Value sw(bool on)
{
    return int32_t(on ? 1 : 0);
}

Value num(double v)
{
    return float(v);
}

bool on(const Arg &v)
{
    return v.number >= 0.5;
}

std::string done(bool ok, const char *why = "not applied")
{
    return ok ? std::string() : std::string(why);
}

// Printable characters only, at most `most` of them: a text from the network is shown as typed.
QString cleaned(const std::string &text, int most)
{
    QString out;
    for (const QChar c : QString::fromStdString(text))
        if (c.isPrint() && out.size() < most)
            out += c;
    return out;
}

DynKnob knobOf(const Address &a)
{
    return mixer::dynKnobAt(param(a).arg);
}

constexpr double kMonitorBoxMin = -96.0;

double monitorLevel(double db)
{
    const double level = scale::typedLevel(db, scale::kOffDb, 0.0);
    return level < kMonitorBoxMin ? scale::kOffDb : level;
}

Value knobGet(const Mix &m, const Address &a)
{
    return num(scale::knobValue(knobOf(a), m.mixer.dynamics().position(strip(m, a), knobOf(a))));
}

std::string knobSet(Mix &m, const Address &a, const Arg &v)
{
    return done(m.mixer.dynamics().setKnob(strip(m, a), knobOf(a), scale::knobPosition(knobOf(a), v.number)),
                "the low-cut filter replaces the low gain");
}

QString clockName(uint32_t source)
{
    switch (source) {
    case IXMSG_DATA_CLOCKSOURCE_INTERNAL:
        return QStringLiteral("INTERNAL");
    case IXMSG_DATA_CLOCKSOURCE_WORD:
        return QStringLiteral("WORD");
    case IXMSG_DATA_CLOCKSOURCE_OPTICAL_A:
        return QStringLiteral("OPTICAL A");
    case IXMSG_DATA_CLOCKSOURCE_OPTICAL_B:
        return QStringLiteral("OPTICAL B");
    default:
        return QString();
    }
}

// As the interface page shows the clock: dashes on the internal clock or before a report.
std::string lockText(const mixer::UnitStatus &unit)
{
    const uint32_t source = unit.clockSource();
    const uint32_t lock = unit.lock(source);
    if (source == IXMSG_DATA_CLOCKSOURCE_INTERNAL || lock == 0)
        return "---";
    if (lock == IXMSG_DATA_CLOCKLOCK_UNLOCKED)
        return "UNLOCKED";
    if (unit.mismatched(source))
        return "MISMATCH";
    return lock == IXMSG_DATA_CLOCKLOCK_GOOD ? "LOCKED" : "PHASE ERROR";
}

std::string sceneAction(const std::function<QString(int)> &act, const Arg &v)
{
    const double slot = v.number;
    if (!(slot >= 1 && slot <= 10) || slot != int(slot))
        return "scenes are 1..10";
    return act ? act(int(slot)).toStdString() : std::string("scene memories are not available");
}

using S = Scope;
using F = Form;
using Get = Value (*)(const Mix &, const Address &);
using Set = std::string (*)(Mix &, const Address &, const Arg &);

Param knobRow(const char *path, DynKnob knob)
{
    return {S::Input, path, 20, 0, F::Number, int(knob), true, knobGet, knobSet};
}

Param row(Scope scope, const char *path, int indexes, int subs, Form form, Get get, Set set, bool bypassable = false)
{
    return {scope, path, indexes, subs, form, 0, bypassable, get, set};
}

std::vector<Param> inputLevelRows()
{
    return {
        row(S::Input, "input/{n}/fader", 20, 0, F::Number,
            [](const Mix &m, const Address &a) { return num(m.mixer.faderLevel(strip(m, a))); },
            [](Mix &m, const Address &a, const Arg &v) {
                return done(m.mixer.setFaderLevel(strip(m, a), scale::typedLevel(v.number, scale::kOffDb, 6.0)));
            }),
        row(S::Input, "input/{n}/pan", 20, 0, F::Number,
            [](const Mix &m, const Address &a) -> Value {
                return int32_t(scale::panValue(m.mixer.panPosition(strip(m, a), side(m, a))));
            },
            [](Mix &m, const Address &a, const Arg &v) {
                return done(m.mixer.setPan(strip(m, a), side(m, a), scale::panPosition(v.number, a.index % 2)));
            }),
        row(S::Input, "input/{n}/send/{s}/level", 20, 4, F::Number,
            [](const Mix &m, const Address &a) { return num(scale::sendLevel(m.mixer.sendPosition(strip(m, a), a.sub))); },
            [](Mix &m, const Address &a, const Arg &v) {
                return done(m.mixer.setSendLevel(strip(m, a), a.sub, scale::sendPosition(v.number)));
            }),
        row(S::Input, "input/{n}/name", 20, 0, F::Text,
            [](const Mix &m, const Address &a) -> Value {
                return m.mixer.channelName(mixer::monoRef(a.index)).toStdString();
            },
            [](Mix &m, const Address &a, const Arg &v) {
                return done(m.mixer.setChannelName(mixer::monoRef(a.index), cleaned(v.text, 6)));
            }),
    };
}

std::vector<Param> inputSwitchRows()
{
    return {
        row(S::Input, "input/{n}/mute", 20, 0, F::Switch,
            [](const Mix &m, const Address &a) { return sw(m.mixer.mute(strip(m, a))); },
            [](Mix &m, const Address &a, const Arg &v) { return done(m.mixer.setMute(strip(m, a), on(v))); }),
        row(S::Input, "input/{n}/solo", 20, 0, F::Switch,
            [](const Mix &m, const Address &a) { return sw(m.mixer.solo(strip(m, a))); },
            [](Mix &m, const Address &a, const Arg &v) { return done(m.mixer.setSolo(strip(m, a), on(v))); }),
        row(
            S::Input, "input/{n}/phase", 20, 0, F::Switch,
            [](const Mix &m, const Address &a) { return sw(m.mixer.phase(strip(m, a), side(m, a))); },
            [](Mix &m, const Address &a, const Arg &v) {
                return done(m.mixer.setPhase(strip(m, a), side(m, a), on(v)));
            },
            true),
        row(S::Input, "input/{n}/bypass", 20, 0, F::Switch,
            [](const Mix &m, const Address &a) { return sw(m.mixer.trueBypass(strip(m, a))); },
            [](Mix &m, const Address &a, const Arg &v) { return done(m.mixer.setTrueBypass(strip(m, a), on(v))); }),
        row(S::Input, "input/{n}/link", 20, 0, F::Switch,
            [](const Mix &m, const Address &a) { return sw(m.mixer.pairLinked(pairOf(a.index))); },
            [](Mix &m, const Address &a, const Arg &v) { return done(m.mixer.setLink(pairOf(a.index), on(v))); }),
        row(S::Input, "input/{n}/send/{s}/pre", 20, 4, F::Switch,
            [](const Mix &m, const Address &a) { return sw(m.mixer.sendPoint(strip(m, a), a.sub) == 2); },
            [](Mix &m, const Address &a, const Arg &v) { return done(m.mixer.setPre(strip(m, a), a.sub, on(v))); }),
        row(S::Input, "input/{n}/send/{s}/post", 20, 4, F::Switch,
            [](const Mix &m, const Address &a) { return sw(m.mixer.sendPoint(strip(m, a), a.sub) == 3); },
            [](Mix &m, const Address &a, const Arg &v) { return done(m.mixer.setPost(strip(m, a), a.sub, on(v))); }),
        row(
            S::Input, "input/{n}/eq/on", 20, 0, F::Switch,
            [](const Mix &m, const Address &a) { return sw(m.mixer.eqOn(strip(m, a))); },
            [](Mix &m, const Address &a, const Arg &v) { return done(m.mixer.setEqOn(strip(m, a), on(v))); }, true),
        row(
            S::Input, "input/{n}/eq/lowcut", 20, 0, F::Switch,
            [](const Mix &m, const Address &a) { return sw(m.mixer.dynamics().lowCut(strip(m, a))); },
            [](Mix &m, const Address &a, const Arg &v) {
                return done(m.mixer.dynamics().setLowCut(strip(m, a), on(v)));
            },
            true),
        row(
            S::Input, "input/{n}/comp/on", 20, 0, F::Switch,
            [](const Mix &m, const Address &a) { return sw(m.mixer.compOn(strip(m, a))); },
            [](Mix &m, const Address &a, const Arg &v) { return done(m.mixer.setCompOn(strip(m, a), on(v))); }, true),
    };
}

std::vector<Param> inputKnobRows()
{
    return {
        knobRow("input/{n}/comp/threshold", DynKnob::Threshold),
        knobRow("input/{n}/comp/ratio", DynKnob::Ratio),
        knobRow("input/{n}/comp/gain", DynKnob::Gain),
        knobRow("input/{n}/comp/attack", DynKnob::Attack),
        knobRow("input/{n}/comp/release", DynKnob::Release),
        knobRow("input/{n}/eq/high/gain", DynKnob::HighGain),
        knobRow("input/{n}/eq/highmid/gain", DynKnob::HighMidGain),
        knobRow("input/{n}/eq/lowmid/gain", DynKnob::LowMidGain),
        knobRow("input/{n}/eq/low/gain", DynKnob::LowGain),
        knobRow("input/{n}/eq/high/freq", DynKnob::HighFreq),
        knobRow("input/{n}/eq/highmid/freq", DynKnob::HighMidFreq),
        knobRow("input/{n}/eq/lowmid/freq", DynKnob::LowMidFreq),
        knobRow("input/{n}/eq/low/freq", DynKnob::LowFreq),
        knobRow("input/{n}/eq/highmid/q", DynKnob::HighMidQ),
        knobRow("input/{n}/eq/lowmid/q", DynKnob::LowMidQ),
    };
}

std::vector<Param> masterRows()
{
    return {
        row(S::Master, "master/fader", 0, 0, F::Number,
            [](const Mix &m, const Address &) { return num(m.mixer.faderLevel(mixer::masterRef())); },
            [](Mix &m, const Address &, const Arg &v) {
                return done(m.mixer.setFaderLevel(mixer::masterRef(), scale::typedLevel(v.number, scale::kOffDb, 6.0)));
            }),
        row(S::Master, "master/mute", 0, 0, F::Switch,
            [](const Mix &m, const Address &) { return sw(m.mixer.mute(mixer::masterRef())); },
            [](Mix &m, const Address &, const Arg &v) { return done(m.mixer.setMute(mixer::masterRef(), on(v))); }),
        row(S::Master, "master/send/{s}/level", 0, 4, F::Number,
            [](const Mix &m, const Address &a) {
                return num(scale::sendLevel(m.mixer.sendPosition(mixer::masterRef(), a.sub)));
            },
            [](Mix &m, const Address &a, const Arg &v) {
                return done(m.mixer.setSendLevel(mixer::masterRef(), a.sub, scale::sendPosition(v.number)));
            }),
    };
}

std::vector<Param> reverbRows()
{
    return {
        row(S::Reverb, "reverb/type", 0, 0, F::Text,
            [](const Mix &m, const Address &) -> Value {
                return mixer::reverb::typeInfo(m.mixer.reverb().type()).name.toStdString();
            },
            [](Mix &m, const Address &, const Arg &v) {
                const int code = mixer::reverb::typeCode(QString::fromStdString(v.text).trimmed().toUpper());
                if (code == 0)
                    return std::string("one of HALL, ROOM, LIVE, STUDIO, PLATE");
                m.mixer.reverb().selectType(code);
                return std::string();
            }),
        row(S::Reverb, "reverb/on", 0, 0, F::Switch,
            [](const Mix &m, const Address &) { return sw(m.mixer.reverb().on()); },
            [](Mix &m, const Address &, const Arg &v) { return m.mixer.reverb().setOn(on(v)), std::string(); }),
        row(S::Reverb, "reverb/predelay", 0, 0, F::Number,
            [](const Mix &m, const Address &) { return num(m.mixer.reverb().current().preDelay); },
            [](Mix &m, const Address &, const Arg &v) {
                return m.mixer.reverb().setPreDelay(scale::preDelayPosition(v.number)), std::string();
            }),
        row(S::Reverb, "reverb/time", 0, 0, F::Number,
            [](const Mix &m, const Address &) { return num(m.mixer.reverb().current().time / 10.0); },
            [](Mix &m, const Address &, const Arg &v) {
                return m.mixer.reverb().setTime(scale::timePosition(v.number)), std::string();
            }),
        row(S::Reverb, "reverb/diffusion", 0, 0, F::Number,
            [](const Mix &m, const Address &) { return num(m.mixer.reverb().current().diff); },
            [](Mix &m, const Address &, const Arg &v) {
                return m.mixer.reverb().setDiffusion(scale::diffusionPosition(v.number)), std::string();
            }),
        row(S::Reverb, "reverb/return", 0, 0, F::Number,
            [](const Mix &m, const Address &) { return num(scale::sendLevel(m.mixer.reverb().returnPosition())); },
            [](Mix &m, const Address &, const Arg &v) {
                return done(m.mixer.setSendLevel(mixer::masterRef(), 0, scale::sendPosition(v.number)));
            }),
    };
}

std::vector<Param> routingRows()
{
    return {
        row(S::LineOut, "lineout/{n}/source", 8, 0, F::Text,
            [](const Mix &m, const Address &a) -> Value {
                const mixer::UnitModel model = m.unit.model();
                return mixer::lineOutChoices(model).value(m.lineOuts.choice(model, a.index)).text.toStdString();
            },
            [](Mix &m, const Address &a, const Arg &v) {
                const mixer::UnitModel model = m.unit.model();
                const QString wanted = QString::fromStdString(v.text).trimmed();
                const QVector<mixer::LineOutChoice> &choices = mixer::lineOutChoices(model);
                for (int i = 0; i < choices.size(); ++i)
                    if (choices[i].text.compare(wanted, Qt::CaseInsensitive) == 0)
                        return done(m.lineOuts.select(model, a.index, i));
                return std::string("not a source of this unit's line outputs");
            }),
        row(S::Monitor, "monitor/master", 0, 0, F::Number,
            [](const Mix &m, const Address &) { return num(m.monitor.masterLevel()); },
            [](Mix &m, const Address &, const Arg &v) {
                return m.monitor.setMasterLevel(monitorLevel(v.number)), std::string();
            }),
        row(S::Monitor, "monitor/{n}/left", 4, 0, F::Number,
            [](const Mix &m, const Address &a) { return num(m.monitor.leftLevel(a.index - 1)); },
            [](Mix &m, const Address &a, const Arg &v) {
                // A linked pair has one fader for both sides, as in the dialog.
                m.monitor.setLeftLevel(a.index - 1, monitorLevel(v.number));
                if (m.monitor.link(a.index - 1))
                    m.monitor.setRightLevel(a.index - 1, monitorLevel(v.number));
                return std::string();
            }),
        row(S::Monitor, "monitor/{n}/right", 4, 0, F::Number,
            [](const Mix &m, const Address &a) { return num(m.monitor.rightLevel(a.index - 1)); },
            [](Mix &m, const Address &a, const Arg &v) {
                if (m.monitor.link(a.index - 1))
                    m.monitor.setLeftLevel(a.index - 1, monitorLevel(v.number));
                m.monitor.setRightLevel(a.index - 1, monitorLevel(v.number));
                return std::string();
            }),
    };
}

std::vector<Param> sceneAndStatusRows()
{
    return {
        row(S::Scene, "scene/load", 0, 0, F::Action, nullptr,
            [](Mix &m, const Address &, const Arg &v) { return sceneAction(m.scenes.load, v); }),
        row(S::Scene, "scene/save", 0, 0, F::Action, nullptr,
            [](Mix &m, const Address &, const Arg &v) { return sceneAction(m.scenes.save, v); }),
        row(S::Scene, "scene/{n}/name", 10, 0, F::Text,
            [](const Mix &m, const Address &a) -> Value {
                return m.scenes.names ? m.scenes.names().value(a.index - 1).toStdString() : std::string();
            },
            [](Mix &m, const Address &a, const Arg &v) {
                const QString name = cleaned(v.text, Settings::kSceneNameMost);
                if (name.isEmpty() || !m.scenes.rename)
                    return std::string("a scene needs a name");
                m.scenes.rename(a.index, name);
                return std::string();
            }),
        row(S::Status, "status/model", 0, 0, F::ReadOnly,
            [](const Mix &m, const Address &) -> Value { return m.unit.productName().toStdString(); }, nullptr),
        row(S::Status, "status/rate", 0, 0, F::ReadOnly,
            [](const Mix &m, const Address &) -> Value { return int32_t(m.unit.sampleRate()); }, nullptr),
        row(S::Status, "status/clock", 0, 0, F::ReadOnly,
            [](const Mix &m, const Address &) -> Value { return clockName(m.unit.clockSource()).toStdString(); },
            nullptr),
        row(S::Status, "status/lock", 0, 0, F::ReadOnly,
            [](const Mix &m, const Address &) -> Value { return lockText(m.unit); }, nullptr),
    };
}

} // namespace

const std::vector<Param> &params()
{
    static const std::vector<Param> rows = [] {
        std::vector<Param> all;
        for (auto part : {inputLevelRows(), inputSwitchRows(), inputKnobRows(), masterRows(), reverbRows(), routingRows(),
                          sceneAndStatusRows()})
            all.insert(all.end(), part.begin(), part.end());
        return all;
    }();
    return rows;
}

} // namespace remote
