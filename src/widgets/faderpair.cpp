#include "faderpair.h"

#include "clickselects.h"
#include "dragends.h"
#include "escapereverts.h"
#include "stripstyle.h"

#include "monitorscale.h"
#include "scales.h"

#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QSignalBlocker>
#include <QSlider>
#include <QWheelEvent>

namespace fs = mixer::fader;
namespace ms = mixer::monitor;

const FaderScale kMixerFaderScale{fs::kPositions - 1, fs::levelAt, fs::positionFor,
                                  fs::kMinDb,         fs::kMaxDb,  "-infinity"};
const FaderScale kMonitorFaderScale{ms::kTopPosition, ms::levelAt, ms::positionFor,
                                    ms::kBoxMinDb,    ms::kMaxDb,  "-inf."};

FaderPair::FaderPair(QSlider *slider, QDoubleSpinBox *box, const FaderScale &scale, FaderFlags &flags,
                     QObject *parent)
    : QObject(parent), m_slider(slider), m_box(box), m_scale(scale), m_flags(flags)
{
    m_slider->setOrientation(Qt::Vertical);
    m_slider->setRange(0, m_scale.topPosition);
    m_slider->setPageStep(0);
    m_slider->setValue(m_scale.topPosition);

    m_box->setDecimals(1);
    m_box->setRange(m_scale.boxMin, m_scale.boxMax);
    m_box->setSingleStep(0.1);
    m_box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_box->setSpecialValueText(QString::fromLatin1(m_scale.minimumText));

    // Page Up/Down move ten steps of the scale and a wheel notch one, over the slider or its box; the
    // page step stays 0 so a click beside the handle moves nothing (and Qt's own wheel with it). The
    // wheel leaves the focus where it is: a box it focused would apply its value again when left.
    m_slider->installEventFilter(this);
    m_box->installEventFilter(this);
    m_box->setFocusPolicy(Qt::StrongFocus);
    connect(m_slider, &QSlider::sliderMoved, this, &FaderPair::onSliderMoved);
    connect(m_slider, &QSlider::valueChanged, this, &FaderPair::onValueChanged);
    connect(m_slider, &QSlider::sliderReleased, this, &FaderPair::onSliderReleased);
    connect(m_box, &QDoubleSpinBox::editingFinished, this, &FaderPair::onEditingFinished);
    escapereverts::install(m_box);
    clickselects::install(m_box);
    dragends::install(m_slider);
}

bool FaderPair::eventFilter(QObject *watched, QEvent *ev)
{
    if (ev->type() == QEvent::Wheel) {
        if (const int notches = m_wheel.take(static_cast<QWheelEvent *>(ev)))
            m_slider->setValue(m_slider->value() + notches);
        return true;
    }
    if (watched != m_slider || ev->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(ev);
    const auto turn = turnForKey(key->key(), key->modifiers());
    if (!turn || turn->kind != KnobTurn::Kind::Steps || std::abs(turn->steps) < kStepsPerPage)
        return false;
    m_slider->setValue(m_slider->value() + turn->steps);
    return true;
}

void FaderPair::styleAsStrip(QSlider *slider, QDoubleSpinBox *box, bool master)
{
    slider->setFixedSize(20, 131);
    stripstyle::setLook(slider, master ? stripstyle::Look::MasterFader : stripstyle::Look::Fader);
    box->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    stripstyle::setLook(box, stripstyle::Look::FaderBox);
}

void FaderPair::showLevel(double db)
{
    const QSignalBlocker blockSlider(m_slider);
    const QSignalBlocker blockBox(m_box);
    m_box->setValue(db);
    // The level's own position: below a box that stops short of the bottom entry it is the bottom.
    m_slider->setValue(m_scale.positionFor(db < m_box->minimum() ? db : m_box->value()));
    escapereverts::shown(m_box);
}

void FaderPair::applyTyped(double db)
{
    m_box->setValue(db);
    onEditingFinished();
}

void FaderPair::applyPosition(int position)
{
    const int before = m_slider->value();
    m_slider->setValue(position);
    // An unchanged position raises no value-changed signal to carry the level out.
    if (position == before)
        onValueChanged(position);
}

void FaderPair::onSliderMoved(int position)
{
    if (!m_flags.typedValuePending)
        m_box->setValue(m_scale.levelAt(position));
}

void FaderPair::onValueChanged(int position)
{
    // The scale level, not the box: a box that stops short of the bottom entry must not change what
    // the bottom position sends.
    double db = m_scale.levelAt(position);
    if (m_flags.typedValuePending) {
        m_flags.typedValuePending = false;
        db = m_box->value();
    } else {
        m_box->setValue(db);
    }
    emit levelChanged(db);
}

void FaderPair::onSliderReleased()
{
    // Asked of the keyboard now: a Shift let go over another window is never seen here.
    if (m_flags.shiftReleaseToUnity && QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier))
        applyTyped(0.0);
}

void FaderPair::onEditingFinished()
{
    // Dropping the focus below ends the editing a second time; one pass is enough.
    if (m_finishing)
        return;
    m_finishing = true;
    m_flags.typedValuePending = true;
    m_box->clearFocus();
    applyPosition(m_scale.positionFor(m_box->value()));
    m_finishing = false;
}
