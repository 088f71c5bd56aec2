// The container of one pair: page 0 holds the two mono strips and the link button, page 1 the stereo
// strip. The page shown is the pair's link state.
#pragma once

#include "stripcontext.h"

#include <QStackedWidget>

class MonoStrip;
class StereoStrip;

class PairStrip : public QStackedWidget {
    Q_OBJECT
public:
    /// Container of pair \p pair (1..10); \p ctx must outlive it. GUI thread.
    PairStrip(StripContext &ctx, int pair, QWidget *parent = nullptr);

    int pair() const { return m_pair; }
    MonoStrip *odd() const { return m_odd; }
    MonoStrip *even() const { return m_even; }
    StereoStrip *stereo() const { return m_stereo; }

private:
    void reflectLink(bool on);

    int m_pair;
    MonoStrip *m_odd;
    MonoStrip *m_even;
    StereoStrip *m_stereo;
};
