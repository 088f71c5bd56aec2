// Base of the mixer strips: builds the strip's controls by kind, runs the one handler of each kind of
// control for whatever track it belongs to, and reflects the model's signals onto the controls.
//
// The model is the only writer: a control hands the user's change to the model, and the model's signal
// sets the control (and its mirrors on other strips). Controls are set without re-emitting their user
// signals (clicked, sliderMoved, mouse gestures), which is the echo guard.
#pragma once

#include "meterlabels.h"
#include "stripcontext.h"
#include "stripstyle.h"
#include "tracks.h"

#include <QVector>
#include <QWidget>

class DialControlSend;
class FaderPair;
class PanControl;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QPushButton;

class StripWidget : public QWidget {
    Q_OBJECT
public:
    /// \p ctx must outlive the strip. GUI thread.
    StripWidget(StripContext &ctx, mixer::StripRef ref, QWidget *parent = nullptr);

    mixer::StripRef ref() const { return m_ref; }
    /// The meter labels of kind \p meter (LevelMeter, LevelMeterL, LevelMeterR); empty if the strip has none.
    MeterLabels meter(mixer::WidgetKind meter) const;
    /// Track name of the strip ("Track1", "Track1_2", "TrackMaster").
    QString trackName() const { return m_name; }
    /// Sets every control from the model.
    void refresh();

protected:
    // ---- Builders: each creates a control with its object name, places it and wires its handler.
    // A button that toggles \p kind for \p name (a track, pair or side name) on the model.
    // \p objectName defaults to the strip's name for \p kind.
    QPushButton *addToggle(mixer::WidgetKind kind, const QString &name, const QString &text, const QRect &geo,
                           stripstyle::Lamp lamp, const QString &objectName = QString());
    // A plain (not checkable) button; \p lit shows it in its lamp colour.
    QPushButton *addButton(mixer::WidgetKind kind, const QString &text, const QRect &geo,
                           stripstyle::Lamp lamp, bool lit, QWidget *host = nullptr);
    // Pre and post buttons of send \p send.
    void addSendPoints(int send, const QRect &pre, const QRect &post);
    // Knob of send \p send (1..4, or 0 for the reverb return) with its value label, hidden until pressed.
    // \p host (default the strip) holds both.
    DialControlSend *addSendKnob(int send, const QString &knobName, const QString &displayName,
                                 const QPoint &at, const QRect &display, QWidget *host = nullptr);
    // The four send rows of a strip with its knobs at \p knobX and the pre/post buttons at \p pointsX,
    // then mute and solo across \p width for \p name.
    void addSendsMuteSolo(const QString &name, int knobX, int pointsX, int width);
    // Pan marker of mono track \p track on lane \p lane of a panel that starts \p panelX into the lane.
    PanControl *addPanMarker(int track, mixer::WidgetKind knob, mixer::WidgetKind display, int lane,
                             int panelX, const QRect &displayGeo);
    FaderPair *addFader(int x, const QRect &box);
    QLineEdit *addNameEdit(int track, const QRect &geo);
    QLabel *addCaption(const QString &text, const QRect &geo, Qt::Alignment align = Qt::AlignCenter,
                       QWidget *host = nullptr);
    // Meter bar and peak lamp of display-table slot \p slot (see metertable.h) on \p host (default the
    // strip), in the slot's columns of that host.
    void addMeter(mixer::WidgetKind meter, mixer::WidgetKind peak, int slot, QWidget *host = nullptr);
    QString objectNameOf(mixer::WidgetKind kind, int send = 0) const;

    void paintEvent(QPaintEvent *ev) override;

    StripContext &m_ctx;

private:
    struct Toggle {
        mixer::WidgetKind kind;
        QString name;
        int send;
        QAbstractButton *button;
    };
    struct SendView {
        int send;
        DialControlSend *knob;
        QLabel *display;
    };
    struct PanView {
        int track;
        int lane;
        int panelX;
        PanControl *marker;
        QLabel *display;
    };

    void toggled(mixer::WidgetKind kind, const QString &name, int send, bool on);
    void reflectToggle(mixer::WidgetKind kind, const QString &name, int send, bool on);
    void reflectBypass(const QString &name, bool on);
    void reflectSend(const QString &name, int send, int position, const QString &label);
    void reflectPan(int track, int position, const QString &label);
    void reflectSelect(const QString &name, bool on);

    void sendPressed(const SendView &v, QMouseEvent *ev);
    void panPressed(const PanView &v, QMouseEvent *ev);
    void panMoved(const PanView &v, QMouseEvent *ev);

    mixer::StripRef m_ref;
    QString m_name;
    QVector<Toggle> m_toggles;
    QVector<SendView> m_sends;
    QVector<PanView> m_pans;
    QVector<QPair<mixer::WidgetKind, MeterLabels>> m_meters;
    FaderPair *m_fader = nullptr;
    QLineEdit *m_nameEdit = nullptr;
    int m_nameTrack = 0;
    int m_sendDragged = -1;
};
