// The main store's groups outside the channel strips: reverb, monitor, line outputs, interface flags.
#include "settings.h"

using namespace settings;

namespace {

const QString kReverb = QStringLiteral("Reverb");
const QString kMoniCon = QStringLiteral("MoniCon");
const QString kLineOut = QStringLiteral("LineOutSettings");
const QString kUpdate = QStringLiteral("Update");

QString monoKey(int side)
{
    return QStringLiteral("Mono%1").arg(side);
}

QString sourceKey(bool right)
{
    return right ? QStringLiteral("SOURCE_R") : QStringLiteral("SOURCE_L");
}

bool validSide(int side)
{
    return side == 1 || side == 2;
}

} // namespace

// ---- Reverb

int Settings::reverbMode() const
{
    return intValue(kReverb, QStringLiteral("Mode"));
}

bool Settings::masterReverb() const
{
    return boolValue(kReverb, QStringLiteral("MasterReverb"));
}

void Settings::setReverbMode(int type)
{
    writeValue(kReverb, QStringLiteral("Mode"), type);
}

void Settings::setMasterReverb(bool on)
{
    writeValue(kReverb, QStringLiteral("MasterReverb"), on);
}

int Settings::rvbPreDelayPos(int type) const
{
    return intValue(kReverb, QStringLiteral("RvbPreDelayPos_") + reverbSuffix(type));
}

int Settings::rvbTimePos(int type) const
{
    return intValue(kReverb, QStringLiteral("RvbTimePos_") + reverbSuffix(type));
}

QString Settings::rvbTimeValue(int type) const
{
    return stringValue(kReverb, QStringLiteral("RvbTimeValue_") + reverbSuffix(type));
}

int Settings::rvbDiffPos(int type) const
{
    return intValue(kReverb, QStringLiteral("RvbDiffPos_") + reverbSuffix(type));
}

void Settings::setRvbPreDelay(int type, int pos)
{
    writeValue(kReverb, QStringLiteral("RvbPreDelayPos_") + reverbSuffix(type), pos);
}

void Settings::setRvbTime(int type, int pos, const QString &text)
{
    writeValue(kReverb, QStringLiteral("RvbTimePos_") + reverbSuffix(type), pos);
    writeValue(kReverb, QStringLiteral("RvbTimeValue_") + reverbSuffix(type), text);
}

void Settings::setRvbDiff(int type, int pos)
{
    writeValue(kReverb, QStringLiteral("RvbDiffPos_") + reverbSuffix(type), pos);
}

// ---- Monitor

int Settings::moniConOutput() const
{
    return intValue(kMoniCon, QStringLiteral("Output"));
}

double Settings::moniConMaster() const
{
    return doubleValue(kMoniCon, QStringLiteral("Master"));
}

void Settings::setMoniConOutput(int output)
{
    writeValue(kMoniCon, QStringLiteral("Output"), output);
}

void Settings::setMoniConMaster(double dB)
{
    writeValue(kMoniCon, QStringLiteral("Master"), dB);
}

double Settings::moniConMono(int outPair, int side) const
{
    const QString group = monitorGroup(outPair);
    if (group.isEmpty() || !validSide(side))
        return 0.0;
    return doubleValue(group, monoKey(side));
}

bool Settings::moniConLink(int outPair) const
{
    const QString group = monitorGroup(outPair);
    return !group.isEmpty() && boolValue(group, QStringLiteral("LINK"));
}

int Settings::moniConSource(int outPair, bool right) const
{
    const QString group = monitorGroup(outPair);
    return group.isEmpty() ? 0 : intValue(group, sourceKey(right));
}

void Settings::setMoniConMono(int outPair, int side, double dB)
{
    const QString group = monitorGroup(outPair);
    if (!group.isEmpty() && validSide(side))
        writeValue(group, monoKey(side), dB);
}

void Settings::setMoniConLink(int outPair, bool on)
{
    const QString group = monitorGroup(outPair);
    if (!group.isEmpty())
        writeValue(group, QStringLiteral("LINK"), on);
}

void Settings::setMoniConSource(int outPair, bool right, int index)
{
    const QString group = monitorGroup(outPair);
    if (!group.isEmpty())
        writeValue(group, sourceKey(right), index);
}

// ---- Line outputs. Numbers outside the model's outputs read the stand-by (365) and write nothing.

int Settings::lineOut(int output) const
{
    if (output < 1 || output > 8)
        return kIntStandby;
    return intValue(kLineOut, QStringLiteral("LineOut%1").arg(output));
}

int Settings::lineOutK1(int output) const
{
    if (output < 1 || output > 2)
        return kIntStandby;
    return intValue(kLineOut, QStringLiteral("LineOut%1_K1").arg(output));
}

void Settings::setLineOut(int output, int source)
{
    if (output >= 1 && output <= 8)
        writeValue(kLineOut, QStringLiteral("LineOut%1").arg(output), source);
}

void Settings::setLineOutK1(int output, int source)
{
    if (output >= 1 && output <= 2)
        writeValue(kLineOut, QStringLiteral("LineOut%1_K1").arg(output), source);
}

// ---- Interface flags

void Settings::setMainWindowPanel(int page)
{
    writeValue(QStringLiteral("Panel"), QStringLiteral("MainWindowPanel"), page);
}

int Settings::audioPerformanceIndex() const
{
    return intValue(QStringLiteral("Interface"), QStringLiteral("AudioPeformanceIndex"));
}

void Settings::setAudioPerformanceIndex(int position)
{
    writeValue(QStringLiteral("Interface"), QStringLiteral("AudioPeformanceIndex"), position);
}

bool Settings::informationDialog() const
{
    return boolValue(QStringLiteral("Misc"), QStringLiteral("Information_Dialog"));
}

void Settings::setInformationDialog(bool doNotShow)
{
    writeValue(QStringLiteral("Misc"), QStringLiteral("Information_Dialog"), doNotShow);
}

QString Settings::updateText(const QString &key) const
{
    return stringValue(kUpdate, key);
}

void Settings::setUpdateText(const QString &key, const QString &text)
{
    writeValue(kUpdate, key, text);
}
