// How a PipeWire server turns its "clock.force-quantum" setting into the quantum its graph runs at,
// from the rules it publishes (its settings metadata and its core properties). The server keeps the
// value it was given in the metadata, so what it took has to be worked out by the same rules.
//
// Pure functions; any thread.
#pragma once

#include <cstdint>

struct QuantumRules {
    uint32_t quantum = 1024;   // clock.quantum: what runs when nothing is forced
    uint32_t min = 32;         // clock.min-quantum
    uint32_t max = 2048;       // clock.max-quantum
    uint32_t floor = 0;        // default.clock.quantum-floor (servers that have it)
    uint32_t limit = 8192;     // default.clock.quantum-limit
    bool powerOfTwo = false;   // clock.power-of-two-quantum: rounds down to a power of two
    bool checkQuantum = false; // settings.check-quantum: refuses forced values outside min..max
};

// A number as the server reads it from a metadata or property text (C's atoi, kept in 32 bits):
// leading blanks and sign, then digits; anything else gives 0. `text` may be null.
uint32_t serverNumber(const char *text);

// The forced value the server keeps when asked for `requested` (0: nothing forced) while it kept
// `previous`: a value the rules refuse leaves `previous`.
uint32_t acceptedForce(const QuantumRules &rules, uint32_t requested, uint32_t previous);

// The quantum the graph runs at with `forced` kept (0: the server's own choice, its default quantum
// within min..max).
uint32_t takenQuantum(const QuantumRules &rules, uint32_t forced);
