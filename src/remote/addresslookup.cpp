// The table expanded once into every concrete address and its path.
#include "addresstable.h"

#include <algorithm>
#include <unordered_map>

namespace remote {
namespace {

constexpr char kPrefix[] = "/lyntra/";

void replace(std::string &path, const char *mark, int value)
{
    const size_t at = path.find(mark);
    if (at != std::string::npos)
        path.replace(at, 3, std::to_string(value));
}

struct Expanded {
    std::vector<Address> all;
    std::vector<size_t> rowStart; // where each row's addresses begin in `all`
    std::unordered_map<std::string, Address> byPath;
};

const Expanded &expanded()
{
    static const Expanded e = [] {
        Expanded x;
        const std::vector<Param> &rows = params();
        for (int r = 0; r < int(rows.size()); ++r) {
            x.rowStart.push_back(x.all.size());
            for (int n = rows[r].indexes ? 1 : 0; n <= rows[r].indexes; ++n)
                for (int s = rows[r].subs ? 1 : 0; s <= rows[r].subs; ++s) {
                    const Address a{r, n, s};
                    x.all.push_back(a);
                    x.byPath.emplace(pathOf(a), a);
                }
        }
        return x;
    }();
    return e;
}

} // namespace

std::string pathOf(const Address &a)
{
    if (a.row < 0 || a.row >= int(params().size()))
        return {};
    std::string path = std::string(kPrefix) + param(a).path;
    replace(path, "{n}", a.index);
    replace(path, "{s}", a.sub);
    return path;
}

Address lookup(const std::string &path)
{
    const auto &byPath = expanded().byPath;
    const auto it = byPath.find(path);
    return it == byPath.end() ? Address{} : it->second;
}

const std::vector<Address> &allAddresses()
{
    return expanded().all;
}

size_t ordinal(const Address &a)
{
    const Param &p = param(a);
    const size_t perIndex = size_t(std::max(p.subs, 1));
    return expanded().rowStart[size_t(a.row)] + size_t(std::max(a.index - 1, 0)) * perIndex +
           size_t(std::max(a.sub - 1, 0));
}

} // namespace remote
