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

// The routing pages: the line outputs two to a row (odd left, even right), then on the large model the
// monitor. The key of source colours sits on the bare panel at the bottom.
constexpr int kRoutingRowPitch = 52;
constexpr int kRoutingRowInset = 14;
constexpr Section kLineOutputsK2{"LINE OUTPUTS", {24, 96, 812, 2 * kRoutingRowInset + 4 * kRoutingRowPitch}};
constexpr Section kLineOutputsK1{"LINE OUTPUTS", {24, 96, 812, 2 * kRoutingRowInset + kRoutingRowPitch}};
constexpr Section kMonitor{"MONITOR", {24, 376, 812, 72}};
constexpr Rect kRoutingKey{24, 470, 812, 36};


// The monitor dialog, 640 x 480: target pairs across the top, sources on the left, the level faders
// and the master on the right.
constexpr int kMonitorWidth = 640;
constexpr int kMonitorHeight = 480;
constexpr Section kMcOutput{"OUTPUT", {20, 92, 600, 56}};
constexpr Section kMcSource{"SOURCE", {20, 184, 250, 276}};
constexpr Section kMcLevel{"LEVEL", {290, 184, 200, 276}};
constexpr Section kMcMaster{"MASTER", {510, 184, 110, 276}};

} // namespace artlayout
