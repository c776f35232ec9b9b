#include "model/TransferWalk.h"

#include <array>
#include <cmath>

namespace {

struct Gap
{
    std::int32_t from; // inclusive
    std::int32_t to;   // exclusive; the next transferred address
};

constexpr std::array<Gap, 18> kGaps{{
    {0x00C80, 0x02000},
    {0x02780, 0x04000},
    {0x04C80, 0x06000},
    {0x06C80, 0x08000},
    {0x08C80, 0x0A000},
    {0x0AA00, 0x0C000},
    {0x0CA00, 0x0E000},
    {0x0EA00, 0x10000},
    {0x10800, 0x12000},
    {0x12650, 0x14000},
    {0x14650, 0x16000},
    {0x16150, 0x16200},
    {0x16340, 0x16400},
    {0x16470, 0x18000},
    {0x18150, 0x1C000},
    {0x1C190, 0x20000},
    {0x20200, 0x22000},
    {0x22090, 0x22100},
}};

} // namespace

std::int32_t NextTransferAddress(std::int32_t a)
{
    for (const Gap &gap : kGaps) {
        if (a >= gap.from && a < gap.to)
            return gap.to;
    }
    if (a > kLastTransferBlock)
        return kTransferEndAddress;
    return a;
}

int transferPercentage(std::int32_t address)
{
    // nearbyint rounds halves to even in the default rounding mode.
    return static_cast<int>(std::nearbyint(static_cast<double>(address) * 100.0 /
                                           static_cast<double>(kTransferEndAddress)));
}
