#include "masterstrip.h"

#include "metertable.h"
#include "mixcontrols.h"
#include "mixermodel.h"
#include "stripgeometry.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

using mixer::WidgetKind;
using stripstyle::Lamp;
namespace g = stripgeo;

MasterStrip::MasterStrip(StripContext &ctx, QWidget *parent)
    : StripWidget(ctx, {mixer::StripKind::Master, 0}, parent)
{
    setFixedSize(g::kMasterWidth, g::kHeight);

    addCaption(tr("MASTER"), QRect(4, 2, 100, 16));
    addCaption(tr("AUX SENDS"), QRect(4, g::kSelectY, 100, 18));
    for (int s = 1; s <= mixer::kSends; ++s) {
        const int y = g::sendRowY(s);
        addSendKnob(s, objectNameOf(WidgetKind::SendKnob, s), objectNameOf(WidgetKind::SendDisplay, s),
                    QPoint(10, y), QRect(40, y + 13, 62, 13));
        addCaption(tr("AUX %1").arg(s), QRect(40, y, 62, 13), Qt::AlignLeft | Qt::AlignVCenter);
    }

    // The switch hands the user's choice to the model and shows only what the model holds.
    auto *reverb =
        addButton(WidgetKind::ReverbOn, tr("REVERB"), QRect(4, g::kMuteY, 100, 18), Lamp::Reverb, false);
    reverb->setCheckable(true);
    mixer::ReverbModel &rm = ctx.model.reverb();
    reverb->setChecked(rm.on());
    connect(reverb, &QPushButton::clicked, this, [this, reverb](bool on) {
        m_ctx.controls.change(mixer::reverbControl(mixer::ControlKind::ReverbOn), on);
        reverb->setChecked(m_ctx.model.reverb().on());
    });
    connect(&rm, &mixer::ReverbModel::onChanged, reverb, &QPushButton::setChecked);
    m_return = new QStackedWidget(this);
    m_return->setObjectName(objectNameOf(WidgetKind::ReturnStack));
    m_return->setGeometry(4, g::kMuteY + 24, 100, 40);
    auto *off = new QWidget(m_return);
    off->setObjectName(QStringLiteral("returnDisable"));
    addCaption(tr("RETURN OFF"), QRect(0, 6, 100, 14), Qt::AlignCenter, off);
    auto *on = new QWidget(m_return);
    on->setObjectName(QStringLiteral("returnEnable"));
    addSendKnob(0, objectNameOf(WidgetKind::ReturnKnob), objectNameOf(WidgetKind::ReturnDisplay),
                QPoint(6, 0), QRect(36, 14, 62, 13), on);
    addCaption(tr("RETURN"), QRect(36, 0, 62, 13), Qt::AlignLeft | Qt::AlignVCenter, on);
    m_return->addWidget(off);
    m_return->addWidget(on);
    // The unit has no reverb at the highest rates; its switch and the return knob go with it.
    const auto showReturn = [this, reverb](int rateClass) {
        m_return->setCurrentIndex(rateClass == 4 ? 0 : 1);
        reverb->setVisible(rateClass != 4);
    };
    showReturn(ctx.model.rateClass());
    connect(&ctx.model, &mixer::MixerModel::rateClassChanged, m_return, showReturn);

    addToggle(WidgetKind::Mute, tr("MUTE"), QRect(4, g::kMuteY + 72, 100, 20), Lamp::Mute);
    addFader(g::faderX(width()), QRect(4, g::kFaderBoxY, 100, 20));
    addMeter(WidgetKind::LevelMeterL, WidgetKind::PeakL, meter::kMasterLeft);
    addMeter(WidgetKind::LevelMeterR, WidgetKind::PeakR, meter::kMasterRight);
    addCaption(tr("L  MASTER  R"), QRect(3, g::kNameY, 102, 20));
    refresh();
}
