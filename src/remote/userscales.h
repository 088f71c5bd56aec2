// Values in the units a user reads on screen, to and from the positions the panel's controls take:
// clamped to each scale and snapped to its steps. Pure functions; any thread.
#pragma once

#include "dynscales.h"

namespace remote::scale {

// The level that stands for "off" on every level scale (faders, sends, the return, the monitor).
constexpr double kOffDb = -99.9;

// A level between `lowest` and `highest` dB with one decimal, as the value boxes take it typed.
double typedLevel(double db, double lowest, double highest);

// Pan: -20 (L20) .. 0 (C) .. 20 (R20), and the lane position of an odd or even track.
int panPosition(double value, bool oddTrack);
int panValue(int position);

// Send and return knobs: the position of the nearest step (off below -98 dB), and the level of one.
int sendPosition(double db);
double sendLevel(int position);

// Editor knobs: the position showing the value nearest `value` (frequencies and Q by ratio, the
// ratio's infinity from 32 up), and the value a position shows.
int knobPosition(mixer::DynKnob knob, double value);
inline double knobValue(mixer::DynKnob knob, int position)
{
    return mixer::dynValue(knob, position);
}

// Reverb: pre-delay in ms (0..250), time in seconds (0.1..10.0), diffusion (0..100), to positions.
int preDelayPosition(double ms);
int timePosition(double seconds);
int diffusionPosition(double value);

} // namespace remote::scale
