// The equaliser's frequency response display (`DrawEq`): the four bands' shapes weighted by their gains,
// summed per pixel column and drawn as one filled area against the 0 dB row.
#pragma once

#include "curvestyle.h"

#include <QLabel>

#include <array>
#include <cstdint>

namespace curves {

struct EqCurveState {
    bool lowCut = false;
    uint8_t highMidQ = 2, highMidFreq = 27; // Q step 0..6, frequency step 0..63
    int8_t highMidGain = 0;                 // dB, -12..+12
    uint8_t lowMidQ = 2, lowMidFreq = 14;
    int8_t lowMidGain = 0;
    uint8_t highFreq = 15; // step 0..31 of the high band's own half of the frequency list
    int8_t highGain = 0;
    uint8_t lowFreq = 5; // step 0..31
    int8_t lowGain = 0;
};

constexpr int kEqWidth = 136;
constexpr int kEqHeight = 77;
constexpr int kEqZeroRow = 38;

// The curve's y for each column 0..135 (column 0 repeats column 1, where the path starts).
std::array<int, kEqWidth> eqCurveRows(const EqCurveState &s);

} // namespace curves

class DrawEq : public QLabel {
    Q_OBJECT
public:
    explicit DrawEq(QWidget *parent = nullptr);

    void setCurve(const curves::EqCurveState &state, curves::CurveMode mode);

protected:
    void paintEvent(QPaintEvent *ev) override;

private:
    curves::EqCurveState m_state;
    curves::CurveMode m_mode = curves::CurveMode::Empty;
};
