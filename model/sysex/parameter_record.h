#pragma once
// What every parameter record shares: the complete data-set message image of its block, in
// which parameter n is data byte n (message byte 9 + n). The image's header, address, checksum
// and F7 are written by the element that owns the record before the image leaves it.

#include "model/sysex/address_map.h"
#include "platform/core/object.h"

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>

namespace model {

template <std::size_t DataLength> class TParameterRecord : public platform::core::TObject {
public:
    static constexpr std::size_t DataSize = DataLength;
    static constexpr std::size_t ImageSize = MessageLength(DataLength);

    TParameterRecord() = default;
    // A record stands for one block of one element; elements copy images, not records.
    TParameterRecord(const TParameterRecord&) = delete;
    TParameterRecord& operator=(const TParameterRecord&) = delete;

    std::array<std::uint8_t, ImageSize> Image{};

    std::uint8_t GetParam(std::size_t n) const {
        assert(n < DataLength);
        return Image.at(SysExHeaderLength + n);
    }
    // The data bytes, parameter 0 first.
    std::span<std::uint8_t, DataLength> Data() {
        return std::span<std::uint8_t, DataLength>(Image.data() + SysExHeaderLength, DataLength);
    }
    std::span<const std::uint8_t, DataLength> Data() const {
        return std::span<const std::uint8_t, DataLength>(Image.data() + SysExHeaderLength,
                                                         DataLength);
    }

protected:
    // Stores value as parameter n; false when it held that value already.
    bool StoreParam(std::size_t n, std::uint8_t value) {
        assert(n < DataLength);
        std::uint8_t& stored = Image.at(SysExHeaderLength + n);
        if (stored == value) return false;
        stored = value;
        return true;
    }
    // Stores values from parameter first on; true when any byte changed.
    bool StoreParams(std::size_t first, std::span<const std::uint8_t> values) {
        assert(first + values.size() <= DataLength);
        bool changed = false;
        for (std::size_t i = 0; i < values.size(); ++i)
            changed |= StoreParam(first + i, values[i]);
        return changed;
    }
    // Every byte 0, ready for the record's defaults.
    void ZeroImage() { Image.fill(0); }
    void Fill(std::size_t first, std::size_t last, std::uint8_t value) {
        for (std::size_t n = first; n <= last; ++n)
            Image.at(SysExHeaderLength + n) = value;
    }
};

} // namespace model
