// Where the interface page's painted sections lie. The artwork generator engraves the captions and
// plates at these places and the page puts its widgets on the plates, so both read this one header.
// Plain integers: the generator and the page both include it; no Qt needed.
#pragma once

namespace artlayout {

struct Rect {
    int x, y, w, h;
};

struct Section {
    const char *caption; // engraved above the plate
    Rect plate;          // recessed light plate that carries the section's widgets
};

constexpr int kPageWidth = 860;
constexpr int kPageHeight = 530;

// Page title band and the navigation buttons on its right.
constexpr Rect kTitleBand{0, 0, kPageWidth, 58};
constexpr Rect kNavArea{560, 13, 280, 32};

// Caption baseline sits this far above the plate's top edge.
constexpr int kCaptionLift = 8;

constexpr Section kClockSource{"CLOCK SOURCE", {24, 96, 300, 180}};
constexpr Section kOpticalInput{"OPTICAL INPUT", {24, 320, 300, 188}};
constexpr Section kStatus{"STATUS", {352, 96, 484, 264}};
constexpr Section kDriver{"DRIVER", {352, 404, 484, 104}};

constexpr Section kSections[] = {kClockSource, kOpticalInput, kStatus, kDriver};

} // namespace artlayout
