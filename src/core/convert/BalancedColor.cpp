#include "core/convert/BalancedColor.h"

namespace murelo {

namespace {

void Rebuild(BalanceTable& table, const ColorBalance& balance) {
    const std::int32_t offsets[3] = {balance.RedOffset, balance.GreenOffset, balance.BlueOffset};
    for (int c = 0; c < 3; ++c)
        for (int v = 0; v < 256; ++v)
            table.channel[std::size_t(c)][std::size_t(v)] =
                std::uint8_t(AdjustChannel(v, offsets[c], balance));
    table.balance = balance;
    table.built = true;
}

const BalanceTable& CurrentTable(const ConversionState& state) {
    BalanceTable& table = state.balanceTable;
    if (!table.built || !(table.balance == state.params.Balance))
        Rebuild(table, state.params.Balance);
    return table;
}

std::int32_t Channel(const ConversionState& state, const BalanceTable& table, int c,
                     std::int32_t value, std::int32_t offset) {
    if (value >= 0 && value <= 255)
        return table.channel[std::size_t(c)][std::size_t(value)];
    return AdjustChannel(value, offset, state.params.Balance);
}

} // namespace

ColorRec BalancedRec(const ConversionState& state, const ColorRec& rec) {
    const BalanceTable& table = CurrentTable(state);
    const ColorBalance& b = state.params.Balance;
    ColorRec out = rec;
    out.R = Channel(state, table, 0, rec.R, b.RedOffset);
    out.G = Channel(state, table, 1, rec.G, b.GreenOffset);
    out.B = Channel(state, table, 2, rec.B, b.BlueOffset);
    return out;
}

ColorRec BalancedColor(const ConversionState& state, ColorValue color) {
    const BalanceTable& table = CurrentTable(state);
    ColorRec rec;
    rec.R = table.channel[0][std::size_t(RedOf(color))];
    rec.G = table.channel[1][std::size_t(GreenOf(color))];
    rec.B = table.channel[2][std::size_t(BlueOf(color))];
    return rec;
}

} // namespace murelo
