// The unit state as JSON: names and nesting are the ones the control socket documents.
#include "firmware.h"

#include <QJsonArray>

namespace lyntra::fw {
namespace {

QJsonValue json(const Value &v)
{
    return v ? QJsonValue(static_cast<qint64>(*v)) : QJsonValue(QJsonValue::Null);
}

template <size_t N> QJsonArray array(const Value (&values)[N])
{
    QJsonArray a;
    for (const Value &v : values)
        a.append(json(v));
    return a;
}

QJsonObject send(const SendSlot &s)
{
    return {{"point", json(s.point)}, {"level", json(s.level)}};
}

template <size_t N> QJsonArray sends(const SendSlot (&bank)[N])
{
    QJsonArray a;
    for (const SendSlot &s : bank)
        a.append(send(s));
    return a;
}

QJsonArray eqArray(const EqBand (&eq)[kInputs][kBands])
{
    QJsonArray channels;
    for (const auto &bands : eq) {
        QJsonArray a;
        for (const EqBand &b : bands)
            a.append(QJsonObject{
                {"on", json(b.on)}, {"gain", json(b.gain)}, {"freq", json(b.freq)}, {"q", json(b.q)}});
        channels.append(a);
    }
    return channels;
}

QJsonArray compArray(const CompSettings (&comp)[kInputs])
{
    QJsonArray a;
    for (const CompSettings &c : comp)
        a.append(QJsonObject{{"on", json(c.on)},
                             {"threshold", json(c.threshold)},
                             {"ratio", json(c.ratio)},
                             {"attack", json(c.attack)},
                             {"release", json(c.release)},
                             {"gain", json(c.gain)},
                             {"link", json(c.link)}});
    return a;
}

} // namespace

QJsonObject Firmware::state() const
{
    const MixState &m = mix_;
    QJsonArray inputSends;
    for (const auto &bank : m.inputSend)
        inputSends.append(sends(bank));
    QJsonArray routes;
    for (const RouteSlot &r : m.route)
        routes.append(QJsonObject{{"type", json(r.type)}, {"channel", json(r.channel)}});

    return QJsonObject{
        {"product", id_.product},
        {"version", id_.version},
        {"build", id_.build},
        {"rate", static_cast<qint64>(id_.rate)},
        {"clock_source", json(m.clockSource)},
        {"optical_mode", QJsonObject{{"5", json(m.opticalMode[0])}, {"6", json(m.opticalMode[1])}}},
        {"store_count", static_cast<qint64>(m.storeCount)},
        {"messages", static_cast<qint64>(m.messages)},
        {"fader", QJsonObject{{"input", array(m.inputFader)},
                              {"master", array(m.masterFader)},
                              {"output", array(m.outputFader)}}},
        {"pan", array(m.pan)},
        {"mute", QJsonObject{{"input", array(m.inputMute)}, {"master", array(m.masterMute)}}},
        {"solo", array(m.solo)},
        {"phase", array(m.phase)},
        {"truebypass", array(m.truebypass)},
        {"send", QJsonObject{{"input", inputSends}, {"master", sends(m.masterSend)}}},
        {"eq", eqArray(m.eq)},
        {"comp", compArray(m.comp)},
        {"reverb", QJsonObject{{"type", json(m.reverbType)},
                               {"predelay", json(m.reverbPredelay)},
                               {"time", json(m.reverbTime)},
                               {"diff", json(m.reverbDiff)}}},
        {"return", QJsonObject{{"on", json(m.returnOn)}, {"level", json(m.returnLevel)}}},
        {"route", routes},
    };
}

} // namespace lyntra::fw
