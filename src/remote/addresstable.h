// The OSC address space over the mix: one table of addresses, each a typed model call parameterised
// by its channel (input, line output, monitor pair, scene) and sub-index (send). The table is data;
// lookups expand it once into every concrete address.
//
// The table, lookup() and pathOf() are constant data and functions over it: any thread (the server
// thread parses with them). The rows' get and set functions touch the models: GUI thread only.
#pragma once

#include "oscvalues.h"

#include <string>
#include <vector>

namespace remote {

struct Mix;

enum class Scope { Input, Master, Reverb, LineOut, Monitor, Scene, Status };

// What a message to an address carries; any address without arguments is a query.
enum class Form {
    Switch,   // a number: 0 off, 1 on (0.5 and above is on)
    Number,   // a number in the row's unit, clamped and snapped
    Text,     // a text
    Action,   // a number naming what to act on; nothing to query
    ReadOnly, // queried only
};

// A concrete address: a row of the table with its index (1-based; 0 where the row has none) and
// sub-index.
struct Address {
    int row = -1;
    int index = 0;
    int sub = 0;
    bool valid() const { return row >= 0; }
    bool operator==(const Address &o) const { return row == o.row && index == o.index && sub == o.sub; }
};

struct Param {
    Scope scope;
    const char *path; // under "/lyntra/": "{n}" stands for the index, "{s}" for the sub-index
    int indexes;      // how many values {n} takes (0: the path has none)
    int subs;         // how many values {s} takes
    Form form;
    int arg; // what the row's functions need besides the address: an editor knob
    // Refused while the input's strip is in true bypass (the window disables those buttons).
    bool bypassable;
    Value (*get)(const Mix &mix, const Address &a);
    // Applies `v` through the model; empty when done, else why not (sent on the error address).
    std::string (*set)(Mix &mix, const Address &a, const Arg &v);
};

const std::vector<Param> &params();
inline const Param &param(const Address &a)
{
    return params()[size_t(a.row)];
}

// The address `path` names; invalid for any other path.
Address lookup(const std::string &path);
std::string pathOf(const Address &a);

// Every concrete address, in table order.
const std::vector<Address> &allAddresses();
// The place of a valid `a` in allAddresses().
size_t ordinal(const Address &a);

} // namespace remote
