#include "editors/place_child_form.h"

#include "platform/forms/application.h"

#include <limits>

namespace editors {

namespace forms = platform::forms;

void PlaceChildForm(std::uint16_t& Left, std::uint16_t& Top, forms::TCustomForm& Form) {
    if (Top == NeverPlaced) {
        constexpr int unbounded = std::numeric_limits<int>::max() / 2;
        const forms::TCustomForm* main = forms::Application().MainForm();
        const int clientWidth = main ? main->ClientWidth() : unbounded;
        const int clientHeight = main ? main->ClientHeight() : unbounded;
        const int bottomLimit = clientHeight - 45;
        Top = static_cast<std::uint16_t>(Form.Top() + Form.Height() < bottomLimit
                                             ? Form.Top()
                                             : bottomLimit - Form.Height() - 1);
        Left = static_cast<std::uint16_t>(Form.Left() + Form.Width() < clientWidth
                                              ? Form.Left()
                                              : clientWidth - Form.Width() - 1);
    }
    Form.SetLeft(static_cast<std::int16_t>(Left));
    Form.SetTop(static_cast<std::int16_t>(Top));
}

} // namespace editors
