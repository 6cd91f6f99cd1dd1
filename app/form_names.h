#pragma once
// The name lists window ("Select Name"): the 65 lists by which the editor pages show waves,
// patches and performances, read from "Names.Txt" and "UserCard.Txt" when it is created and
// again by Load, and the modal chooser of one entry of a list, 6 names a row. Created once at
// start-up; while it lives it is the names window the editor pages see.

#include "editors/names_window.h"
#include "model/files/name_lists.h"
#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/grids.h"

namespace app {

namespace forms = platform::forms;

class TFormNames : public forms::TForm, public editors::TNamesWindow {
public:
    static constexpr int GridCols = 6;
    static constexpr int GridRows = 43;
    // Rows the grid shows at once; the chooser scrolls no further than the last of them.
    static constexpr int ShownRows = 12;

    explicit TFormNames(forms::TComponent* owner);
    ~TFormNames() override;

    // Clears the lists and reads both files again. A file that exists but cannot be read raises
    // the platform's file error.
    void Load();
    // Shows list type in the grid with the chosen index's cell selected, its row at the top
    // (but not beyond the last twelve rows).
    void SetType(int type);
    int Type() const { return type_; }

    // The 0-based entry chosen: callers set it before showing the chooser and read it after.
    int ChosenIndex = 0;

    const platform::core::TStringList& List(int type) const override;
    int Choose(int type, int chosen) override;

    forms::TPanel& FormWaveSelect;
    forms::TStringGrid& StringGrid1;
    forms::TBitBtn& BitBtn3;
    forms::TBitBtn& BitBtn1;

private:
    void FormCreate(forms::TObject* Sender);
    // OK: the selected cell's entry becomes the chosen one and the window closes; on an empty
    // cell nothing happens.
    void BitBtn3Click(forms::TObject* Sender);
    // Cancel: the chosen index stays what the caller set.
    void BitBtn1Click(forms::TObject* Sender);

    model::TNameLists lists_;
    int type_ = 0;
};

// The names window while it lives; null before start-up made it and after it went.
TFormNames* FormNames();

} // namespace app
