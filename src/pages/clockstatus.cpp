#include "clockstatus.h"

#include "qixdevice.h"
#include "ixcmd.h"
#include "settings.h"
#include "unitstatus.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

namespace clockstyle {
const QString kCaptionGrey = QStringLiteral("QLabel{color : gray; font-size: 20px; font-family: Arial}");
const QString kCaptionBlack = QStringLiteral("QLabel{color : black; font-size: 20px; font-family: Arial}");
const QString kValueGrey = QStringLiteral("QLabel{color : gray; font-size: 18px; font-family: Arial}");
const QString kValueBlack = QStringLiteral("QLabel{color : black; font-size: 18px; font-family: Arial}");
const QString kValueRed = QStringLiteral("QLabel{color : red; font-size: 18px; font-family: Arial}");
const QString kRadioGrey = QStringLiteral("QRadioButton{color : gray; font-size: 15px; font-family: Arial}");
const QString kRadioBlack =
    QStringLiteral("QRadioButton{color : black; font-size: 15px; font-family: Arial}");
const QString kDashes = QStringLiteral("----------");
} // namespace clockstyle

using namespace clockstyle;

namespace {

const QString kSourceKey = QStringLiteral("SampleClockSourceId");
const QString kOpticalKeys[] = {QStringLiteral("Optical_A"), QStringLiteral("Optical_B")};

enum PanelId { Internal = 1, OpticalA = 2, OpticalB = 3, Word = 4 };

// Restyling parses the sheet and repolishes the widget even for the same sheet; the status comes
// every second and mostly says what it said before.
void restyle(QWidget *widget, const QString &style)
{
    if (widget->styleSheet() != style)
        widget->setStyleSheet(style);
}

void show(QLabel *label, const QString &style, const QString &text)
{
    restyle(label, style);
    label->setText(text);
}

QString sourceName(uint32_t source)
{
    switch (source) {
    case IXMSG_DATA_CLOCKSOURCE_INTERNAL:
        return ClockStatus::tr("Internal");
    case IXMSG_DATA_CLOCKSOURCE_WORD:
        return ClockStatus::tr("Word");
    case IXMSG_DATA_CLOCKSOURCE_OPTICAL_A:
        return ClockStatus::tr("Optical A");
    case IXMSG_DATA_CLOCKSOURCE_OPTICAL_B:
        return ClockStatus::tr("Optical B");
    default:
        return ClockStatus::tr("None");
    }
}

bool isExternal(uint32_t source)
{
    return source == IXMSG_DATA_CLOCKSOURCE_WORD || source == IXMSG_DATA_CLOCKSOURCE_OPTICAL_A ||
           source == IXMSG_DATA_CLOCKSOURCE_OPTICAL_B;
}

QString unlockedText()
{
    return ClockStatus::tr("Unlocked (or No Signal)");
}
QString goodText()
{
    return ClockStatus::tr("Good");
}
QString mismatchText()
{
    return ClockStatus::tr("Sample Rate Mismatch");
}
QString manualText()
{
    return ClockStatus::tr("Manually configured");
}

QString lockText(uint32_t lock)
{
    switch (lock) {
    case IXMSG_DATA_CLOCKLOCK_UNLOCKED:
        return unlockedText();
    case IXMSG_DATA_CLOCKLOCK_PHASE_ERROR:
        return ClockStatus::tr("Phase Error");
    case IXMSG_DATA_CLOCKLOCK_GOOD:
        return goodText();
    default:
        return ClockStatus::tr(": UNKNOWN");
    }
}

} // namespace

ClockStatus::ClockStatus(const ClockWidgets &widgets, QIXDevice &device, Settings &settings,
                         const mixer::UnitStatus &unit, QObject *parent)
    : QObject(parent), w_(widgets), device_(device), settings_(settings), unit_(unit)
{
    using mixer::UnitStatus;
    connect(&unit, &UnitStatus::clockSourceReported, this,
            [this](uint32_t source) { w_.clockSource->setText(sourceName(source)); });
    connect(&unit, &UnitStatus::sampleRateChanged, this, [this](uint32_t hz) {
        const mixer::SampleRate *rate = mixer::sampleRateOf(hz);
        w_.sampleRate->setText(rate ? QString::fromLatin1(rate->text) : QString());
    });
    connect(&unit, &UnitStatus::lockReported, this, &ClockStatus::showLock);
    connect(&unit, &UnitStatus::unitLost, this, &ClockStatus::showDisconnected);
    connect(w_.sourceGroup, &QButtonGroup::idClicked, this, &ClockStatus::selectSource);
    connect(w_.modeA, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this](int index) { changeOpticalMode(Optical::A, index); });
    connect(w_.modeB, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this](int index) { changeOpticalMode(Optical::B, index); });
}

void ClockStatus::selectSource(int panelId)
{
    const int id = panelId >= OpticalA && panelId <= Word ? panelId : Internal;
    if (QAbstractButton *radio = w_.sourceGroup->button(id))
        radio->setChecked(true);
    if (id == Internal) {
        restyle(w_.clockCaption, kCaptionGrey);
        show(w_.clockStatus, kValueGrey, kDashes);
    } else {
        restyle(w_.clockCaption, kCaptionBlack);
    }
    settings_.writeClock(kSourceKey, id);

    const uint32_t code = ixcmd_clocksource_for_setting(id);
    // The unit must know the optical framing before it tries to lock to that input.
    if (QComboBox *selector = selectorOf(code)) {
        const int mode = ixcmd_adat_mode_for_choice(selector->currentIndex());
        if (mode >= 0)
            device_.set_adat_x4mode(code, static_cast<uint32_t>(mode));
    }
    device_.set_clocksource(code);
}

void ClockStatus::changeOpticalMode(Optical which, int index)
{
    const int i = which == Optical::A ? 0 : 1;
    settings_.writeClock(kOpticalKeys[i], index);
    const int mode = ixcmd_adat_mode_for_choice(index);
    if (mode < 0)
        return;
    device_.set_adat_x4mode(which == Optical::A ? IXMSG_DATA_CLOCKSOURCE_OPTICAL_A
                                                : IXMSG_DATA_CLOCKSOURCE_OPTICAL_B,
                            static_cast<uint32_t>(mode));
}

void ClockStatus::applyStoredClock(bool reconnected, bool smallModel)
{
    if (reconnected) {
        changeOpticalMode(Optical::A, w_.modeA->currentIndex());
        changeOpticalMode(Optical::B, w_.modeB->currentIndex());
    } else {
        // Setting a different index runs changeOpticalMode through the selector's signal.
        w_.modeA->setCurrentIndex(settings_.readClock(kOpticalKeys[0]));
        w_.modeB->setCurrentIndex(settings_.readClock(kOpticalKeys[1]));
    }
    int id = settings_.readClock(kSourceKey);
    if (reconnected && smallModel && (id == OpticalB || id == Word))
        id = Internal;
    selectSource(id);
}

void ClockStatus::showDisconnected()
{
    for (QLabel *label : {w_.clockStatus, w_.optAStatus, w_.optBStatus})
        show(label, kValueGrey, kDashes);
}

void ClockStatus::applyModelState()
{
    w_.optAStatus->setText(kDashes);
    const bool small = isSmallModel();
    for (QRadioButton *radio : {w_.opticalB, w_.word}) {
        radio->setEnabled(!small);
        restyle(radio, small ? kRadioGrey : kRadioBlack);
    }
    w_.modeB->setEnabled(!small);
    for (QLabel *caption : {w_.optBCaption, w_.wordCaption})
        restyle(caption, small ? kCaptionGrey : kCaptionBlack);
    for (QLabel *value : {w_.optBStatus, w_.wordStatus})
        show(value, small ? kValueGrey : kValueBlack, kDashes);
}

bool ClockStatus::isSmallModel() const
{
    return unit_.model() == mixer::UnitModel::K1;
}

void ClockStatus::showLock(uint32_t source, uint32_t lock)
{
    showClockStatus(source, lock);
    showInputStatus(source, lock);
}

QComboBox *ClockStatus::selectorOf(uint32_t source) const
{
    if (source == IXMSG_DATA_CLOCKSOURCE_OPTICAL_A)
        return w_.modeA;
    if (source == IXMSG_DATA_CLOCKSOURCE_OPTICAL_B)
        return w_.modeB;
    return nullptr;
}

void ClockStatus::showClockStatus(uint32_t source, uint32_t lock)
{
    // Only the report about the source the unit says it runs on describes the clock.
    if (!unit_.runsOn(source))
        return;
    if (source == IXMSG_DATA_CLOCKSOURCE_INTERNAL) {
        restyle(w_.clockCaption, kCaptionGrey);
        show(w_.clockStatus, kValueGrey, kDashes);
    } else if (lock == IXMSG_DATA_CLOCKLOCK_UNLOCKED) {
        show(w_.clockStatus, kValueBlack, unlockedText());
    } else if (isExternal(source) && unit_.mismatched(source)) { // an unknown source has no rate to compare
        show(w_.clockStatus, kValueRed, mismatchText());
    } else if (lock == IXMSG_DATA_CLOCKLOCK_GOOD) {
        show(w_.clockStatus, kValueBlack, goodText());
    } else {
        show(w_.clockStatus, kValueRed, lockText(lock));
    }
}

void ClockStatus::showInputStatus(uint32_t source, uint32_t lock)
{
    QLabel *label = nullptr;
    QAbstractButton *radio = nullptr;
    switch (source) {
    case IXMSG_DATA_CLOCKSOURCE_OPTICAL_A:
        label = w_.optAStatus;
        radio = w_.opticalA;
        break;
    case IXMSG_DATA_CLOCKSOURCE_OPTICAL_B:
        label = isSmallModel() ? nullptr : w_.optBStatus;
        radio = w_.opticalB;
        break;
    case IXMSG_DATA_CLOCKSOURCE_WORD:
        label = isSmallModel() ? nullptr : w_.wordStatus;
        break;
    default:
        break;
    }
    if (!label)
        return;

    const QString text =
        lock != IXMSG_DATA_CLOCKLOCK_UNLOCKED && unit_.mismatched(source) ? mismatchText() : lockText(lock);
    const bool fine = text == goodText() || text == unlockedText();
    show(label, fine ? kValueBlack : kValueRed, text);

    // A manual optical format means the lock report says nothing about the format in use.
    QComboBox *selector = selectorOf(source);
    if (!selector || selector->currentIndex() == 0)
        return;
    show(label, kValueGrey, manualText());
    if (w_.sourceGroup->checkedButton() == radio)
        show(w_.clockStatus, kValueGrey, manualText());
}
