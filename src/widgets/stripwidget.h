// Base of the mixer strips: builds the strip's controls by kind, runs the one handler of each kind of
// control for whatever strip it belongs to, and reflects the strip's own notices onto the controls.
//
// The model is the only writer: a control hands the user's change to the model, and the notice of the
// strip sets the control (the model tells mirrored strips through their own notices). Controls are set
// without re-emitting their user signals (clicked, sliderMoved, mouse gestures), which is the echo guard.
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
    /// Sets every control from the model.
    void refresh();

protected:
    // ---- Builders: each creates a control with its object name, places it and wires its handler.
    // A button that toggles \p kind on the strip (a phase button: on the track of \p side).
    // \p objectName defaults to the strip's name for \p kind.
    QPushButton *addToggle(mixer::WidgetKind kind, const QString &text, const QRect &geo, stripstyle::Lamp lamp,
                           const QString &objectName = QString(), mixer::Side side = mixer::Side::None);
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
    // then mute and solo across \p width.
    void addSendsMuteSolo(int knobX, int pointsX, int width);
    // Pan marker of the strip's track (a stereo strip: of \p side) on lane \p lane of a panel that starts
    // \p panelX into the lane.
    PanControl *addPanMarker(mixer::Side side, mixer::WidgetKind knob, mixer::WidgetKind display, int lane,
                             int panelX, const QRect &displayGeo);
    FaderPair *addFader(int x, const QRect &box);
    QLineEdit *addNameEdit(const QRect &geo);
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
        mixer::Side side;
        int send;
        QAbstractButton *button;
    };
    struct SendView {
        int send;
        DialControlSend *knob;
        QLabel *display;
    };
    struct PanView {
        mixer::Side side;
        int lane;
        int panelX;
        PanControl *marker;
        QLabel *display;
    };

    void listen();
    // Gives the screen reader the button's control: its name and where its value is read.
    void speak(QAbstractButton *b, mixer::WidgetKind kind, mixer::Side side);
    void toggled(mixer::WidgetKind kind, mixer::Side side, int send, bool on);
    void reflectToggle(mixer::WidgetKind kind, mixer::Side side, int send, bool on);
    void reflectBypass(bool on);
    // The model's name in the name field, which Escape then returns to.
    void showName(const QString &text);
    void reflectSend(int send, int position, const QString &label);
    void reflectPan(mixer::Side side, int position, const QString &label);
    void reflectSelect(bool on);

    void sendPressed(const SendView &v, QMouseEvent *ev);
    void panPressed(const PanView &v, QMouseEvent *ev);
    void panMoved(const PanView &v, QMouseEvent *ev);

    mixer::StripRef m_ref;
    QVector<Toggle> m_toggles;
    QVector<SendView> m_sends;
    QVector<PanView> m_pans;
    QVector<QPair<mixer::WidgetKind, MeterLabels>> m_meters;
    FaderPair *m_fader = nullptr;
    QLineEdit *m_nameEdit = nullptr;
    int m_sendDragged = -1;
};
