#include "faderpair.h"

#include "scales.h"

#include <QDoubleSpinBox>
#include <QSignalBlocker>
#include <QSlider>

namespace fs = mixer::fader;

const char *const FaderPair::kSliderStyle =
    "QSlider::groove {background-image: url(:/Resource/trans.png);}QSlider::handle {position: absolute; "
    "left: 3px; image: url(:/Resource/track/Feder.png); margin: 0 -15px; margin-bottom: -5px; margin-top: "
    "0px;}";
const char *const FaderPair::kMasterSliderStyle =
    "QSlider::groove {background-image: url(:/Resource/trans.png);}QSlider::handle {position: absolute; "
    "left: 3px; image: url(:/Resource/track/Feder_master.png); margin: 0 -15px; margin-bottom: -5px; "
    "margin-top: 0px;}";
const char *const FaderPair::kBoxStyle = "color: rgb(255, 170, 0);\nfont: 9pt \"Arial\";\nbackground-image: "
                                         "url(:/Resource/trans.png);\nfont-size:12px;";

FaderPair::FaderPair(QSlider *slider, QDoubleSpinBox *box, FaderFlags &flags, bool master, QObject *parent)
    : QObject(parent), m_slider(slider), m_box(box), m_flags(flags)
{
    m_slider->setOrientation(Qt::Vertical);
    m_slider->setRange(0, fs::kPositions - 1);
    m_slider->setPageStep(0);
    m_slider->setValue(fs::kPositions - 1);
    m_slider->setFixedSize(20, 131);
    m_slider->setStyleSheet(QString::fromLatin1(master ? kMasterSliderStyle : kSliderStyle));

    m_box->setDecimals(1);
    m_box->setRange(fs::kMinDb, fs::kMaxDb);
    m_box->setSingleStep(0.1);
    m_box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_box->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    m_box->setSpecialValueText(QStringLiteral("-infinity"));
    m_box->setStyleSheet(QString::fromLatin1(kBoxStyle));

    connect(m_slider, &QSlider::sliderMoved, this, &FaderPair::onSliderMoved);
    connect(m_slider, &QSlider::valueChanged, this, &FaderPair::onValueChanged);
    connect(m_slider, &QSlider::sliderReleased, this, &FaderPair::onSliderReleased);
    connect(m_box, &QDoubleSpinBox::editingFinished, this, &FaderPair::onEditingFinished);
}

void FaderPair::showLevel(double db)
{
    const QSignalBlocker blockSlider(m_slider);
    const QSignalBlocker blockBox(m_box);
    m_box->setValue(db);
    m_slider->setValue(fs::positionFor(m_box->value()));
}

void FaderPair::onSliderMoved(int position)
{
    if (m_flags.typedValuePending) {
        m_flags.typedValuePending = false;
        return;
    }
    m_box->setValue(fs::levelAt(position));
}

void FaderPair::onValueChanged(int value)
{
    onSliderMoved(value);
    emit levelChanged(m_box->value());
}

void FaderPair::onSliderReleased()
{
    if (!m_flags.shiftHeld)
        return;
    m_box->setValue(0.0);
    onEditingFinished();
}

void FaderPair::onEditingFinished()
{
    // Dropping the focus below ends the editing a second time; one pass is enough.
    if (m_finishing)
        return;
    m_finishing = true;
    m_flags.typedValuePending = true;
    m_slider->setValue(fs::positionFor(m_box->value()));
    m_box->clearFocus();
    emit levelChanged(m_box->value());
    m_finishing = false;
}
