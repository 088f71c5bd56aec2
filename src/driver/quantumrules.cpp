#include "quantumrules.h"

#include <algorithm>
#include <cstdlib>

uint32_t serverNumber(const char *text)
{
    if (!text)
        return 0;
    // strtol's long wraps to 32 bits as the server's int does.
    return static_cast<uint32_t>(static_cast<int>(std::strtol(text, nullptr, 10)));
}

uint32_t acceptedForce(const QuantumRules &rules, uint32_t requested, uint32_t previous)
{
    if (requested != 0 && rules.checkQuantum && (requested < rules.min || requested > rules.max))
        return previous;
    return requested;
}

uint32_t takenQuantum(const QuantumRules &rules, uint32_t forced)
{
    uint32_t q = forced != 0 ? forced : std::clamp(rules.quantum, rules.min, std::max(rules.min, rules.max));
    q = std::max(std::min(q, rules.limit), rules.floor);
    if (rules.powerOfTwo && q > 0) {
        uint32_t p = 1;
        while (p <= q / 2)
            p *= 2;
        q = p;
    }
    return q;
}
