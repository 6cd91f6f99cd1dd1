#pragma once
// How far an element's images lie from the instrument's memory: the data bytes of the messages
// the element would send, each compared with what the simulated instrument holds at its address.
// A transfer benchmark counts only when this is zero after the transfer.

#include "model/elements/global.h"
#include "model/elements/lib_elem.h"
#include "model/sysex/address_map.h"
#include "platform/core/byte_file.h"
#include "testsupport/sim_instrument.h"

#include <cstddef>
#include <cstdint>

namespace bench {

// Data bytes of the element's messages that differ from the instrument's memory.
inline int Mismatches(const testsupport::SimInstrument& instrument, model::TLibElem& elem) {
    using testsupport::Bytes;
    if (elem.Type == model::etGlobal) {
        // Only the user banks and the system travel without a data card.
        int count = 0;
        for (const auto& child : static_cast<model::TGlobal&>(elem).Elems)
            if (child->Memory || child->Type == model::etSystem)
                count += Mismatches(instrument, *child);
        return count;
    }
    platform::core::TByteWriter file;
    elem.WriteSysEx(file);
    const Bytes& bytes = file.Bytes();
    int count = 0;
    for (std::size_t p = 0; p + model::SysExFrameLength <= bytes.size();) {
        std::size_t end = p + 1;
        while (end < bytes.size() && bytes[end] != 0xF7)
            ++end;
        const std::uint32_t address = std::uint32_t{bytes[p + 5]} << 24 |
                                      std::uint32_t{bytes[p + 6]} << 16 |
                                      std::uint32_t{bytes[p + 7]} << 8 | bytes[p + 8];
        const Bytes data(bytes.begin() + static_cast<std::ptrdiff_t>(p + 9),
                         bytes.begin() + static_cast<std::ptrdiff_t>(end - 1));
        const Bytes held = instrument.Read(address, static_cast<std::uint32_t>(data.size()));
        for (std::size_t i = 0; i < data.size(); ++i)
            count += data[i] != held[i];
        p = end + 1;
    }
    return count;
}

} // namespace bench
