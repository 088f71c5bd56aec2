// The compressor's transfer curve display (`DrawCompressor`): the unity diagonal bent at the threshold's
// knee by the ratio. It also tells the gain-reduction meter which background to show.
#pragma once

#include "curvestyle.h"

#include <QLabel>
#include <QPolygon>

namespace curves {

struct CompCurveState {
    int thresholdStep = 32; // 0..32 (-32..0 dB)
    int ratioStep = 0;      // 0..14, 14 is infinite
};

constexpr int kCompWidth = 63;
constexpr int kCompHeight = 69;

// The filled area under the curve: bottom left, bottom right, right edge, knee.
QPolygon compCurvePolygon(const CompCurveState &s);

} // namespace curves

class DrawCompressor : public QLabel {
    Q_OBJECT
public:
    explicit DrawCompressor(QWidget *parent = nullptr);

    // Emits sig_changeColorComp when the mode changes the meter's background.
    void setCurve(const curves::CompCurveState &state, curves::CurveMode mode);
    curves::CurveMode mode() const { return m_mode; }
    // "GR_Passive" with nothing selected, "GR_Active" while the compressor is off, "GR_Available" on.
    static QString meterStatus(curves::CurveMode mode);

signals:
    void sig_changeColorComp(const QString &status);

protected:
    void paintEvent(QPaintEvent *ev) override;

private:
    curves::CompCurveState m_state;
    curves::CurveMode m_mode = curves::CurveMode::Empty;
};
