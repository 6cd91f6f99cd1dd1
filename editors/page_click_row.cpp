#include "editors/page_click_row.h"

#include <utility>

namespace editors {

TClickRow::TClickRow(std::string name, controls::TClickEdit& box, std::uint16_t offset,
                     TCoding coding)
    : TByteRow(offset, coding), name_(std::move(name)), box_(box) {}

void TClickRow::Bind(std::function<void()> ended) {
    box_.OnEndchange = [ended = std::move(ended)](platform::core::TObject*) { ended(); };
}

void TClickRow::Drive(int value) {
    box_.SetValue(value);
    if (box_.OnEndchange) box_.OnEndchange(&box_);
}

} // namespace editors
