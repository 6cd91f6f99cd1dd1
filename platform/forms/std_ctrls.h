#pragma once
// The class library's standard controls, drawn by us on our own windows so that hooks and
// messages see them as they see every other window: labels, group boxes, push buttons, check
// boxes and radio buttons, one-line and multi-line edits, list boxes and combo boxes.

#include "platform/forms/controls.h"
#include "platform/forms/strings.h"

#include <memory>
#include <string>

namespace platform::forms {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TFormBorderStyle { bsNoBorder, bsSingleBorder };

// Measures text in a font without a window.
gdi::TSize MeasureText(const TFont& font, const std::string& text);

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);

    // Sizes the label to its text whenever the text or the font changes (default on).
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TAlignment Alignment = taLeftJustify;
    TTextLayout Layout = tlTop;
    bool WordWrap = false;
    bool ShowAccelChar = true;
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // The control that the label's accelerator focuses.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* value);
    // Where Paint lays the caption's text out, in client coordinates: it may run past the client
    // area (a caption wider than a label that does not size itself), where the painting cuts it.
    TRect TextRect() const;

    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    void AdjustBounds();
    gdi::UINT DrawFormat() const;
    void Notification(TComponent* component, core::TOperation operation) override;

private:
    bool autoSize_ = true;
    bool transparent_ = false;
    TWinControl* focusControl_ = nullptr;
};

class TGroupBox : public TCustomControl {
public:
    explicit TGroupBox(TComponent* owner);

protected:
    void Paint() override;
};

class TButton : public TCustomControl {
public:
    explicit TButton(TComponent* owner);

    // Enter anywhere on the form clicks the default button, Esc the cancel button.
    bool Default = false;
    bool Cancel = false;
    // Put into the form's ModalResult after OnClick has run.
    int ModalResult = 0;

    void Click() override;
    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;
    bool WantsKey(WORD key) const override;
    void DrawFace(const TRect& r, bool pressed);
    bool pressed_ = false;
    bool spaceDown_ = false;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TCustomControl {
public:
    explicit TCheckBox(TComponent* owner);

    bool Checked() const { return state_ == cbChecked; }
    // Set by program, a change runs OnClick as a user's click does.
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState value);
    bool AllowGrayed = false;
    TAlignment Alignment = taRightJustify;

protected:
    void Paint() override;
    void Click() override;
    void KeyUp(WORD& key, TShiftState shift) override;
    virtual void Toggle();

    TCheckBoxState state_ = cbUnchecked;
    bool clicking_ = false;
};

class TRadioButton : public TCustomControl {
public:
    explicit TRadioButton(TComponent* owner);

    bool Checked() const { return checked_; }
    // Checking (by program or by a click) clears the other radio buttons of the same parent
    // and runs OnClick; unchecking by program runs nothing and may leave the group with none.
    void SetChecked(bool value);
    TAlignment Alignment = taRightJustify;

protected:
    void Paint() override;
    void Click() override;
    void KeyUp(WORD& key, TShiftState shift) override;

private:
    bool checked_ = false;
    bool clicking_ = false;
};

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// A one-line edit on a window of the platform's EDIT class: the text, the selection, the limit,
// the undo level, the keyboard and the mouse are the class's, reached through its messages;
// the library paints it (its colour, its sunken frame, the line centred in the box). Until the
// window exists the properties are kept here and handed to it when it is made.
class TEdit : public TCustomControl {
public:
    explicit TEdit(TComponent* owner);

    // 0: no limit. Typing stops at the limit; text set by program is not cut.
    int MaxLength() const;
    void SetMaxLength(int value);
    bool ReadOnly() const;
    void SetReadOnly(bool value);
    char PasswordChar() const;
    void SetPasswordChar(char value);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase value);
    // False: the selection stays shown while the control is not focused (ES_NOHIDESEL).
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    // The window's ES_OEMCONVERT style, for edits that take file names in the OEM code page.
    bool OEMConvert() const { return oemConvert_; }
    void SetOEMConvert(bool value);
    TFormBorderStyle BorderStyle = bsSingleBorder;
    bool AutoSelect = true;
    int SelStart() const;
    void SetSelStart(int value);
    int SelLength() const;
    void SetSelLength(int value);
    std::string SelText() const;
    void SelectAll();
    void Clear() { SetText(""); }
    // Set when the user changes the text; text set by program leaves it as it is.
    bool Modified() const;
    void SetModified(bool value);
    // Text set by program keeps the selection where it can.
    void SetText(const std::string& value) override;

    // After every change of the text, by program too.
    TNotifyEvent OnChange;

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Paint() override;
    void KeyPress(char& key) override;
    void DoEnter() override;
    virtual void Change();
    // Where the text lies.
    virtual TRect EditRect() const;
    // Whether a press at a client point goes to the text (the caret, the selection).
    virtual bool InText(TPoint p) const;
    // The user replaces the selection with text; false when the control refuses it.
    virtual bool AcceptInput(const std::string& text) const;
    // Selects count characters from start (clamped to the text).
    void SetSel(int start, int count);
    std::string DisplayText() const;

private:
    void UpdateFormat();
    void PasteText();
    void SetStyleBit(win::DWORD bit, bool on);
    // Kept while there is no window.
    int maxLength_ = 0;
    bool readOnly_ = false;
    char passwordChar_ = '\0';
    TEditCharCase charCase_ = ecNormal;
    bool hideSelection_ = true;
    bool oemConvert_ = false;
    bool modified_ = false;
    int selStart_ = 0;
    int selLength_ = 0;
};

// A multi-line text box drawn by the class library. It scrolls by lines as the platform's
// multi-line edit does: the wheel (three lines a notch) and a vertical scroll bar move the view
// and leave the caret; the keys move the caret (Up, Down, Page Up, Page Down, Ctrl+Home, Ctrl+End
// besides the keys within a line) and the view follows it. Lines added by program put the caret
// at the end, and the view follows it to the newest line.
class TMemo : public TCustomControl {
public:
    explicit TMemo(TComponent* owner);

    TStrings& Lines() { return lines_; }
    bool ReadOnly = false;
    bool WordWrap = true;
    // The caret, as an offset into Text(), where typing goes; never inside a line break. Text
    // set by program puts it at the end. The view follows it.
    int SelStart() const { return caret_; }
    void SetSelStart(int value);
    // ssVertical and ssBoth show a vertical scroll bar while there are more lines than fit; there
    // is no horizontal one.
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    // The first line shown (0-based); a value past what scrolling reaches is brought back.
    int TopLine() const { return topLine_; }
    void SetTopLine(int value);
    // How many whole lines the box shows at once, at least 1.
    int VisibleLineCount() const;
    int LineCount() const;
    TNotifyEvent OnChange;

    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    void Resize() override;
    // The arrows, Home and End of the line, Page Up and Page Down, Ctrl+Home and Ctrl+End,
    // Delete after the caret.
    void KeyDown(WORD& key, TShiftState shift) override;
    // Characters and Enter go in at the caret; Backspace takes the one before it.
    void KeyPress(char& key) override;
    // A left press puts the caret at the nearest place of the line under the pointer, or works
    // the scroll bar.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    bool WantsKey(WORD key) const override;

private:
    void LinesChanged();
    // Replaces count characters at from with text; the caret goes to the end of the text.
    void Edit(int from, int count, const std::string& text);
    int LineStart(int offset) const;
    int LineEnd(int offset) const;
    // The offset where line index starts (the text's end past the last line).
    int StartOfLine(int index) const;
    int LineOf(int offset) const;
    int LineHeight() const;
    // The place of the line starting at lineStart nearest to x pixels from the text's left.
    int OffsetAtX(int lineStart, int x) const;
    // The caret to line index, keeping its place across as near as the line allows.
    void CaretToLine(int index);
    void ScrollToCaret();
    bool HasVerticalBar() const;
    TRect VerticalBar() const;
    TRect ThumbRect() const;
    TStrings lines_;
    bool updating_ = false;
    int caret_ = 0;
    int topLine_ = 0;
    TScrollStyle scrollBars_ = ssNone;
};

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
// A set of the flags below.
using TOwnerDrawState = unsigned;
inline constexpr TOwnerDrawState odSelected = 1, odFocused = 2, odDisabled = 4;
using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

// A window of the platform's LISTBOX class: the items, the selection and the scrolling live in
// the window and are reached through its messages; Items keeps a copy the window follows, which
// also holds them while there is no window. Every item is drawn by DrawItem (owner-drawn rows,
// the standard look included, so that Color and Font reach the rows). OnClick runs when a user
// changes the selection, OnDblClick on a user's double click; a change by program runs neither.
// Style, MultiSelect and ExtendedSelect take effect when the window is (re)made: set them first.
class TListBox : public TCustomControl {
public:
    explicit TListBox(TComponent* owner);

    TStrings& Items() { return items_; }
    int ItemIndex() const;
    // Descendants hear every change the program makes here.
    virtual void SetItemIndex(int value);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value);
    int TopIndex() const;
    void SetTopIndex(int value);
    // The item under a client point; with existing false, a point past the items answers Count.
    int ItemAtPos(TPoint p, bool existing) const;
    TRect ItemRect(int index) const;
    TListBoxStyle Style = lbStandard;
    // ExtendedSelect: Shift and Ctrl extend the selection; otherwise a click toggles an item.
    bool MultiSelect = false;
    bool ExtendedSelect = true;
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    bool Sorted() const { return items_.Sorted(); }
    void SetSorted(bool value) { items_.SetSorted(value); }
    void Clear();

    TDrawItemEvent OnDrawItem;
    // Asked for each item's height of an lbOwnerDrawVariable list, as it is added.
    TMeasureItemEvent OnMeasureItem;

    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    TCanvas& Canvas() { return canvas_; }

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // Drawn over the rows once the window has painted them.
    void Paint() override {}
    void KeyDown(WORD& key, TShiftState shift) override;
    bool WantsKey(WORD key) const override;
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);
    // Whether a focused row gets the dotted focus rectangle after DrawItem.
    virtual bool NeedsFocusRect() const { return true; }

private:
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool HasWindow() const { return handle_ != NullHWnd; }
    win::DWORD WindowStyle() const;
    // Makes the window again when Style or the selection kind changed since it was made.
    void FollowStyle();
    void ItemsChanged();
    // Brings the window's rows to Items with the fewest insertions and deletions.
    void SyncWindowItems();
    void SaveState();
    void CNDrawItem(TMessage& message);
    void CNMeasureItem(TMessage& message);
    TStrings items_;
    // The rows the window holds, and the state kept while there is no window.
    std::vector<std::string> windowItems_;
    std::vector<bool> selected_;
    int itemIndex_ = -1;
    int itemHeight_ = 13;
    int topIndex_ = 0;
    bool syncing_ = false;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed };

class TComboBox : public TCustomControl {
public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;

    TStrings& Items() { return items_; }
    // Set by program, neither OnChange nor OnClick runs.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    TComboBoxStyle Style = csDropDown;
    int DropDownCount = 8;
    int ItemHeight = 13;
    bool DroppedDown() const;
    void SetDroppedDown(bool value);
    void Clear();

    // A user's choice from the list (OnClick, then OnChange) or a user's typing (OnChange).
    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;

    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    bool WantsKey(WORD key) const override;

private:
    class TDropDownList;
    void UserSelect(int index);
    TStrings items_;
    int itemIndex_ = -1;
    std::unique_ptr<TDropDownList> list_;
};

} // namespace platform::forms
