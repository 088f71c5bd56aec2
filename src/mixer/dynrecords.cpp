#include "dynrecords.h"

#include "ixcmd.h"

namespace mixer {

void copyCompParams(const CompRecord &src, CompRecord &dst)
{
    const uint8_t link = dst.link;
    const uint8_t channel = dst.channel;
    dst = src;
    dst.link = link;
    dst.channel = channel;
}

void copyEqParams(const EqRecord &src, EqRecord &dst)
{
    const uint8_t link = dst.link;
    const uint8_t channel = dst.channel;
    dst = src;
    dst.link = link;
    dst.channel = channel;
}

const QStringList &editorPosKeys()
{
    static const QStringList keys{QStringLiteral("CompThresholdPos"), QStringLiteral("CompRatioPos"),
                                  QStringLiteral("CompGainPos"),      QStringLiteral("CompAttackPos"),
                                  QStringLiteral("CompReleasePos"),   QStringLiteral("EqHighGainPos"),
                                  QStringLiteral("EqHighMidGainPos"), QStringLiteral("EqLowMidGainPos"),
                                  QStringLiteral("EqLowGainPos"),     QStringLiteral("EqHighFreqPos"),
                                  QStringLiteral("EqHighMidFreqPos"), QStringLiteral("EqLowMidFreqPos"),
                                  QStringLiteral("EqLowFreqPos"),     QStringLiteral("EqHighMidQFreqPos"),
                                  QStringLiteral("EqLowMidQFreqPos")};
    return keys;
}

const QStringList &editorTextKeys()
{
    static const QStringList keys{QStringLiteral("CompThresholdText"),  QStringLiteral("CompRatioText"),
                                  QStringLiteral("CompGainText"),       QStringLiteral("CompAttackText"),
                                  QStringLiteral("CompReleaseText"),    QStringLiteral("EqHighGainValue"),
                                  QStringLiteral("EqHighMidGainValue"), QStringLiteral("EqLowMidGainValue"),
                                  QStringLiteral("EqLowGainValue"),     QStringLiteral("EqHighFreqText"),
                                  QStringLiteral("EqHighMidFreqText"),  QStringLiteral("EqLowMidFreqText"),
                                  QStringLiteral("EqLowFreqText"),      QStringLiteral("EqHighMidQFreqText"),
                                  QStringLiteral("EqLowMidQFreqText")};
    return keys;
}

EqBandWire eqBandWire(const EqRecord &r, int band)
{
    switch (band) {
    case 1: {
        // The low band's gain is a sentinel while the low-cut filter replaces it.
        const uint8_t gain = r.lowGain == 255 ? uint8_t(255) : ixcmd_eq_gain_step(r.lowGain);
        return {gain, ixcmd_eq_freq_step(1, r.lowFreq), ixcmd_eq_q_step(1, 0)};
    }
    case 2:
        return {ixcmd_eq_gain_step(r.lowMidGain), ixcmd_eq_freq_step(2, r.lowMidFreq),
                ixcmd_eq_q_step(2, r.lowMidQ)};
    case 3:
        return {ixcmd_eq_gain_step(r.highMidGain), ixcmd_eq_freq_step(3, r.highMidFreq),
                ixcmd_eq_q_step(3, r.highMidQ)};
    default:
        return {ixcmd_eq_gain_step(r.highGain), ixcmd_eq_freq_step(4, r.highFreq), ixcmd_eq_q_step(4, 0)};
    }
}

} // namespace mixer
