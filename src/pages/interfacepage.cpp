#include "interfacepage.h"

#include "navstyle.h"

#include "qixdevice.h"
#include "artlayout.h"
#include "artwork.h"
#include "buffersize.h"
#include "clockstatus.h"
#include "pipewirelink.h"
#include "settings.h"
#include "unitaccessnote.h"
#include "unitstatus.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStackedLayout>
#include <QStackedLayout>
#include <QVBoxLayout>

using namespace clockstyle;

namespace {

const QString kBackground = QStringLiteral(":/Resource/interface/panel_interface.png");

// Plain captions that no logic restyles: dark grey, smaller than the status captions.
const QString kLegendStyle = QStringLiteral("QLabel{color : #3a3c40; font-size: 13px; font-family: Arial}");
const QString kNavStyle = navButtonStyle();
const QString kGrooveStyle =
    QStringLiteral("QSlider::groove:horizontal{height: 4px; background: #8d9096; border-radius: 2px;}"
                   "QSlider::sub-page:horizontal{background: #33363b; border-radius: 2px;}"
                   "QSlider::handle:horizontal{width: 10px; margin: -7px 0; border-radius: 2px;}"
                   "QSlider::groove:horizontal:focus{background: #d9a441;}");

// The page's widget: paints the front panel artwork behind the children.
class InterfacePanel : public QWidget {
public:
    InterfacePanel()
    {
        setObjectName(QStringLiteral("Interface"));
        setFixedSize(artlayout::kPageWidth, artlayout::kPageHeight);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const QPixmap &art = artwork::pixmap(kBackground);
        if (art.isNull())
            p.fillRect(rect(), QColor(46, 48, 52));
        else
            p.drawPixmap(0, 0, art);
    }
};

template <typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel *label(const char *name, const QString &style, const QString &text = QString())
{
    auto *l = named(new QLabel(text), name);
    l->setStyleSheet(style);
    return l;
}

// A transparent frame over one painted plate, so the plate's widgets follow the artwork.
QWidget *plate(QWidget *page, const artlayout::Section &section)
{
    auto *w = new QWidget(page);
    const artlayout::Rect &r = section.plate;
    w->setGeometry(r.x, r.y, r.w, r.h);
    return w;
}

QComboBox *opticalSelector(const char *name)
{
    auto *combo = named(new QComboBox, name);
    combo->addItems(
        {InterfacePage::tr("Auto -  AVENOR Device"), InterfacePage::tr("Manual -  44.1kHz / 48kHz"),
         InterfacePage::tr("Manual -  88.2kHz / 96kHz"), InterfacePage::tr("Manual -  176.4kHz / 192kHz")});
    combo->setMinimumHeight(28);
    return combo;
}

void addClockSources(QWidget *page, ClockWidgets &w)
{
    auto *sources = new QVBoxLayout(plate(page, artlayout::kClockSource));
    sources->setContentsMargins(22, 14, 14, 14);
    w.sourceGroup = named(new QButtonGroup(page), "buttonGroup_ClockSource");
    const struct {
        const char *name;
        const char *text;
        QRadioButton **slot;
    } radios[] = {{"rB_Internal", QT_TRANSLATE_NOOP("InterfacePage", "Internal"), &w.internal},
                  {"rB_Optical_A", QT_TRANSLATE_NOOP("InterfacePage", "Optical A"), &w.opticalA},
                  {"rB_Optical_B", QT_TRANSLATE_NOOP("InterfacePage", "Optical B"), &w.opticalB},
                  {"rB_Word", QT_TRANSLATE_NOOP("InterfacePage", "Word"), &w.word}};
    int id = 1;
    for (const auto &r : radios) {
        *r.slot = named(new QRadioButton(InterfacePage::tr(r.text)), r.name);
        (*r.slot)->setStyleSheet(kRadioBlack);
        w.sourceGroup->addButton(*r.slot, id++);
        sources->addWidget(*r.slot);
    }

}

void addOpticalInputs(QWidget *page, ClockWidgets &w)
{
    auto *optical = new QGridLayout(plate(page, artlayout::kOpticalInput));
    optical->setContentsMargins(18, 12, 18, 14);
    optical->setVerticalSpacing(4);
    w.modeA = opticalSelector("cB_Optical_A");
    w.modeB = opticalSelector("cB_Optical_B");
    optical->addWidget(label("label_OpticalA", kLegendStyle, InterfacePage::tr("Optical A")), 0, 0);
    optical->addWidget(w.modeA, 1, 0);
    optical->setRowMinimumHeight(2, 8);
    optical->addWidget(label("label_OpticalB", kLegendStyle, InterfacePage::tr("Optical B")), 3, 0);
    optical->addWidget(w.modeB, 4, 0);
    optical->setRowStretch(5, 1);
    auto *hint = label("label_OpticalHint", kLegendStyle,
                       InterfacePage::tr("Auto follows an AVENOR device; choose a manual format for other equipment."));
    hint->setWordWrap(true);
    optical->addWidget(hint, 6, 0);

}

// The status plate: the rows, or in their place why the unit cannot be used. Returns the firmware
// field, which the clock logic does not drive.
QLabel *addStatus(QWidget *page, ClockWidgets &w, QLabel *device, const mixer::UnitStatus &unit)
{
    auto *statusStack = new QStackedLayout(plate(page, artlayout::kStatus));
    auto *status = new QGridLayout(new QWidget);
    statusStack->addWidget(status->parentWidget());
    status->setContentsMargins(20, 12, 16, 12);
    status->setHorizontalSpacing(18);
    status->setVerticalSpacing(2);
    status->setColumnStretch(1, 1);
    auto *firmware = label("label_IntFirmVersion", kValueBlack, InterfacePage::tr("No Device"));
    w.clockSource = label("label_IntClockSource", kValueBlack);
    w.clockCaption = label("label_ClockSourceStatus", kCaptionBlack, InterfacePage::tr("Clock Status"));
    w.clockStatus = label("label_IntClockSourceStatus", kValueGrey, kDashes);
    w.sampleRate = label("label_IntSampleRate", kValueBlack);
    w.optAStatus = label("label_IntOptAInputStatus", kValueGrey, kDashes);
    w.optBCaption = label("label_OptBInputStatus", kCaptionBlack, InterfacePage::tr("Optical B Input"));
    w.optBStatus = label("label_IntOptBInputStatus", kValueGrey, kDashes);
    w.wordCaption = label("label_WordInputStatus", kCaptionBlack, InterfacePage::tr("Word Input"));
    w.wordStatus = label("label_IntWordInputStatus", kValueGrey, kDashes);
    const struct {
        QLabel *caption;
        QLabel *value;
    } rows[] = {
        {label("label_Device", kCaptionBlack, InterfacePage::tr("Device")), device},
        {label("label_FirmVersion", kCaptionBlack, InterfacePage::tr("Firmware")), firmware},
        {label("label_ClockSource", kCaptionBlack, InterfacePage::tr("Clock Source")), w.clockSource},
        {w.clockCaption, w.clockStatus},
        {label("label_SampleRate", kCaptionBlack, InterfacePage::tr("Sample Rate")), w.sampleRate},
        {label("label_OptAInputStatus", kCaptionBlack, InterfacePage::tr("Optical A Input")), w.optAStatus},
        {w.optBCaption, w.optBStatus},
        {w.wordCaption, w.wordStatus},
    };
    int row = 0;
    for (const auto &r : rows) {
        r.caption->setMinimumHeight(32);
        status->addWidget(r.caption, row, 0);
        status->addWidget(r.value, row++, 1);
    }
    status->setRowStretch(row, 1);
    new UnitAccessNote(*statusStack, unit);
    return firmware;
}

struct DriverWidgets {
    QSlider *slider;
    QLabel *sizeText;
    QLabel *server; // where the size goes
};

// The driver plate: the driver version, the buffer-size slider with its readout, and the sound server.
DriverWidgets addDriver(QWidget *page)
{
    QWidget *driverPlate = plate(page, artlayout::kDriver);
    // Groove and handle size here; the window gives the slider its own handle colours.
    driverPlate->setStyleSheet(kGrooveStyle);
    auto *driver = new QGridLayout(driverPlate);
    driver->setContentsMargins(20, 10, 16, 12);
    driver->setHorizontalSpacing(18);
    driver->setColumnStretch(1, 1);
    driver->addWidget(label("label_DriverVersion", kCaptionBlack, InterfacePage::tr("Driver Version")), 0, 0);
    driver->addWidget(label("label_IntDriverVersion", kValueBlack), 0, 1, 1, 2);
    driver->addWidget(label("label_BufferSize", kCaptionBlack, InterfacePage::tr("Buffer Size")), 1, 0);
    auto *slider = named(new QSlider(Qt::Horizontal), "hS_BufferSize");
    slider->setRange(0, BufferSize::kPositions - 1);
    slider->setValue(BufferSize::kDefaultPosition);
    slider->setTickPosition(QSlider::TicksBelow);
    driver->addWidget(slider, 1, 1);
    auto *sizeText = label("label_BufferSizeDisp", kValueBlack, BufferSize::textForPosition(slider->value()));
    // The text pads the number to four places with blanks, which only lines up in a fixed-pitch face.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    sizeText->setFont(fixed);
    sizeText->setStyleSheet(QStringLiteral("QLabel{color : black; font-size: 16px}"));
    driver->addWidget(sizeText, 1, 2);
    auto *server = label("label_SoundServer", kLegendStyle);
    driver->addWidget(server, 2, 1, 1, 2);
    return {slider, sizeText, server};
}

void addNavigation(QWidget *page)
{
    auto *nav = new QHBoxLayout(new QWidget(page));
    const artlayout::Rect &n = artlayout::kNavArea;
    nav->parentWidget()->setGeometry(n.x, n.y, n.w, n.h);
    nav->setContentsMargins(0, 0, 0, 0);
    nav->setSpacing(10);
    for (const auto &b :
         {std::pair<const char *, const char *>{"pB_ToMixerFromInterface", QT_TRANSLATE_NOOP("InterfacePage", "MIXER")},
          {"pB_ToOutputFromInterface", QT_TRANSLATE_NOOP("InterfacePage", "ROUTING")}}) {
        auto *button = named(new QPushButton(InterfacePage::tr(b.second)), b.first);
        button->setStyleSheet(kNavStyle);
        button->setFixedHeight(n.h);
        button->setCursor(Qt::PointingHandCursor);
        nav->addWidget(button);
    }

}

} // namespace

InterfacePage::InterfacePage(QIXDevice &device, Settings &settings, mixer::UnitStatus &unit)
    : page_(new InterfacePanel)
{
    QWidget *page = page_;
    ClockWidgets w;
    addClockSources(page, w);
    addOpticalInputs(page, w);
    auto *deviceName = label("label_IntDevice", kValueBlack, tr("No Device"));
    QLabel *firmware = addStatus(page, w, deviceName, unit);
    const DriverWidgets driver = addDriver(page);
    addNavigation(page);

    // ---- Logic
    clock_ = new ClockStatus(w, device, settings, unit, page);
    w.clockCaption->setStyleSheet(kCaptionGrey); // no source chosen yet reads like Internal
    connect(&unit, &mixer::UnitStatus::productNameChanged, deviceName, [deviceName](const QString &name) {
        deviceName->setText(name.isEmpty() ? tr("No Device") : name);
    });
    connect(&unit, &mixer::UnitStatus::firmwareTextChanged, firmware, &QLabel::setText);

    buffer_ = new BufferSize(
        [&settings](int position) { settings.setValue(settings::key::AudioPerformanceIndex, position); },
        [&settings] { return settings.value(settings::key::AudioPerformanceIndex); }, page);
    connect(buffer_, &BufferSize::serverTextChanged, driver.server, &QLabel::setText);
    buffer_->attachSoundServer(*new PipeWireLink(buffer_));
    connect(driver.slider, &QSlider::sliderMoved, buffer_, &BufferSize::on_hS_BufferSize_sliderMoved);
    connect(driver.slider, &QSlider::valueChanged, buffer_, &BufferSize::on_hS_BufferSize_valueChanged);
    connect(buffer_, &BufferSize::sliderPositionRequested, driver.slider, &QSlider::setValue);
    connect(buffer_, &BufferSize::sliderPageStepRequested, driver.slider, &QSlider::setPageStep);
    connect(buffer_, &BufferSize::textChanged, driver.sizeText, &QLabel::setText);
    // While the driver restarts for a new buffer size, the unit's rate reports are transient.
    connect(buffer_, &BufferSize::recentlyChangedChanged, &unit, &mixer::UnitStatus::holdRateReports);
}

InterfacePage::~InterfacePage()
{
    if (page_ && !page_->parent())
        delete page_;
}

QWidget *InterfacePage::page()
{
    return page_;
}

void InterfacePage::applyStoredClock(bool smallModel, bool fallBack)
{
    clock_->applyStoredClock(fallBack, smallModel);
}

void InterfacePage::refreshBufferSize()
{
    buffer_->refresh_buffer_size();
}

void InterfacePage::applyModelState()
{
    clock_->applyModelState();
}
