#include "mixerpush.h"

#include "qixdevice.h"

#include <QJsonArray>

namespace bench {
namespace {

constexpr uint32_t IN = IXMSG_DATA_CH_INPUT;
constexpr uint32_t MASTER = IXMSG_DATA_CH_MASTER;
constexpr uint32_t OUT = IXMSG_DATA_CH_OUTPUT;
constexpr uint32_t COMPUTER = IXMSG_DATA_CH_COMPUTER;
constexpr uint32_t AUX = IXMSG_DATA_CH_AUX;
constexpr int kInputs = 20;
constexpr int kBuses = 4;
constexpr int kBands = 4;

using Fields = std::vector<MixerParam::Field>;

QJsonValue at(const QJsonObject &state, const QVariantList &path)
{
    QJsonValue v = state;
    for (const QVariant &step : path)
        v = step.type() == QVariant::String ? v.toObject()[step.toString()] : v.toArray()[step.toInt()];
    return v;
}

QString name_of(const QVariantList &path)
{
    QStringList parts;
    for (const QVariant &step : path)
        parts << step.toString();
    return parts.join(QLatin1Char('.'));
}

// The one-byte switches and the pan share a shape: one call, one field.
void add_byte(std::vector<MixerParam> &out, bool (QIXDevice::*set)(uint32_t, uint32_t, uint8_t),
              uint32_t type, int no, uint8_t value, QVariantList path)
{
    out.push_back({[=](QIXDevice &d) { return (d.*set)(type, uint32_t(no), value); }, {{path, value}}});
}

void add_fader(std::vector<MixerParam> &out, uint32_t type, const char *group, int no, int16_t level)
{
    out.push_back({[=](QIXDevice &d) { return d.set_fader(type, uint32_t(no), level); },
                   {{{"fader", group, no - 1}, level}}});
}

void add_input_strip(std::vector<MixerParam> &out, int i, int v)
{
    const auto on = uint8_t(v);
    add_fader(out, IN, "input", i, int16_t(v ? -100 - 7 * i : -400 - 3 * i));
    add_byte(out, &QIXDevice::set_pan, IN, i, uint8_t(v ? 10 + i : 100 - i), {"pan", i - 1});
    add_byte(out, &QIXDevice::set_mute, IN, i, on, {"mute", "input", i - 1});
    add_byte(out, &QIXDevice::set_solo, IN, i, on, {"solo", i - 1});
    add_byte(out, &QIXDevice::set_phase, IN, i, on, {"phase", i - 1});
    add_byte(out, &QIXDevice::set_truebypass, IN, i, on, {"truebypass", i - 1});
    for (int b = 1; b <= kBands; ++b) {
        const auto gain = uint8_t(v ? 20 + b : 10), freq = uint8_t(v ? 30 + i : 5),
                   q = uint8_t(v ? 2 + b : 1);
        const QVariantList band{"eq", i - 1, b - 1};
        out.push_back(
            {[=](QIXDevice &d) { return d.set_eq(IN, uint32_t(i), on, uint32_t(b), gain, freq, q); },
             {{band + QVariantList{"on"}, on},
              {band + QVariantList{"gain"}, gain},
              {band + QVariantList{"freq"}, freq},
              {band + QVariantList{"q"}, q}}});
    }
    const auto threshold = int8_t(v ? -10 - i : -1);
    const auto ratio = uint8_t(v ? 3 : 1), attack = uint8_t(v ? 20 + i : 1), release = uint8_t(v ? 40 : 1);
    const auto gain = uint8_t(v ? 6 : 0), link = uint8_t(v);
    const QVariantList comp{"comp", i - 1};
    out.push_back({[=](QIXDevice &d) {
                       return d.set_comp(IN, uint32_t(i), on, threshold, ratio, attack, release, gain, link);
                   },
                   {{comp + QVariantList{"on"}, on},
                    {comp + QVariantList{"threshold"}, threshold},
                    {comp + QVariantList{"ratio"}, ratio},
                    {comp + QVariantList{"attack"}, attack},
                    {comp + QVariantList{"release"}, release},
                    {comp + QVariantList{"gain"}, gain},
                    {comp + QVariantList{"link"}, link}}});
}

void add_sends(std::vector<MixerParam> &out, uint32_t type, int no, QVariantList bank, int v)
{
    for (int bus = 1; bus <= kBuses; ++bus) {
        const uint32_t point = v ? 2 : 1;
        const auto level = int8_t(v ? -6 - bus - no : -30);
        const QVariantList slot = bank + QVariantList{bus - 1};
        out.push_back(
            {[=](QIXDevice &d) { return d.set_send(type, uint32_t(no), AUX, uint32_t(bus), point, level); },
             {{slot + QVariantList{"point"}, int(point)}, {slot + QVariantList{"level"}, level}}});
    }
}

} // namespace

std::vector<MixerParam> k2_mixer_params(int v)
{
    std::vector<MixerParam> out;
    for (int i = 1; i <= kInputs; ++i) {
        add_input_strip(out, i, v);
        add_sends(out, IN, i, {"send", "input", i - 1}, v);
        // Every routed output takes a source: inputs in one variant, computer playback in the other.
        const uint32_t type = v ? COMPUTER : IN;
        const int channel = v ? (i - 1) % 10 + 1 : i;
        out.push_back(
            {[=](QIXDevice &d) { return d.set_assign_ch(type, uint32_t(channel), OUT, uint32_t(i)); },
             {{{"route", i - 1, "type"}, int(type)}, {{"route", i - 1, "channel"}, channel}}});
    }
    add_sends(out, MASTER, 1, {"send", "master"}, v);
    for (int m = 1; m <= 2; ++m) {
        add_fader(out, MASTER, "master", m, int16_t(v ? -20 - m : -200));
        add_byte(out, &QIXDevice::set_mute, MASTER, m, uint8_t(v), {"mute", "master", m - 1});
    }
    for (int o = 1; o <= 9; ++o)
        add_fader(out, OUT, "output", o, int16_t(v ? -30 - o : -300));
    const uint32_t type = v ? 2 : 1;
    const auto predelay = uint8_t(v ? 30 : 0), time = uint8_t(v ? 40 : 0), diff = uint8_t(v ? 50 : 0);
    out.push_back({[=](QIXDevice &d) { return d.set_reverb(type, predelay, time, diff); },
                   {{{"reverb", "type"}, int(type)},
                    {{"reverb", "predelay"}, predelay},
                    {{"reverb", "time"}, time},
                    {{"reverb", "diff"}, diff}}});
    const auto level = int8_t(v ? -12 : 0);
    out.push_back({[=](QIXDevice &d) { return d.set_return(uint8_t(v), level); },
                   {{{"return", "on"}, v}, {{"return", "level"}, level}}});
    return out;
}

QStringList missing_fields(const std::vector<MixerParam> &params, const QJsonObject &state)
{
    QStringList missing;
    for (const MixerParam &p : params)
        for (const MixerParam::Field &f : p.fields) {
            const QJsonValue held = at(state, f.path);
            if (!held.isDouble() || held.toInt() != f.value)
                missing << QStringLiteral("%1 = %2 (unit: %3)")
                               .arg(name_of(f.path))
                               .arg(f.value)
                               .arg(held.isDouble() ? QString::number(held.toInt()) : QStringLiteral("null"));
        }
    return missing;
}

} // namespace bench
