#pragma once
// The regional formats of the date, time and currency editors: the controller derives display
// formats and input masks (standard and regular-expression) from the regional settings in
// force, keeps them, and tells its listeners when the regional settings or the system time
// change. One controller serves the process (cxFormatController).

#include "platform/core/window_handle.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::edit {

enum class TcxDateTimeFormatItemKind : std::uint8_t {
    dtikString,
    dtikYear,
    dtikMonth,
    dtikDay,
    dtikHour,
    dtikMin,
    dtikSec,
    dtikMSec,
    dtikTimeSuffix,
    dtikDateSeparator,
    dtikTimeSeparator
};

struct TcxDateTimeFormatItem {
    TcxDateTimeFormatItemKind Kind = TcxDateTimeFormatItemKind::dtikString;
    std::string Data;

    bool operator==(const TcxDateTimeFormatItem&) const = default;
};

// Which kinds occur, and the elements in format order.
struct TcxDateTimeFormatInfo {
    std::array<bool, 11> DefinedItems{};
    std::vector<TcxDateTimeFormatItem> Items;
};

// 0 date, 1 time, 2 date and time.
enum class TcxStandardMaskMode : std::uint8_t { smmDate, smmTime, smmDateTime };
// 0 the date elements, 1 the time elements, 2 nothing of them.
enum class TcxRegExprMaskMode : std::uint8_t { remmDate, remmTime, remmNone };

class IcxFormatControllerListener {
public:
    virtual ~IcxFormatControllerListener() = default;
    virtual void FormatChanged() = 0;
};

// A listener that also hears of changes of the system time.
class IcxFormatControllerListener2 {
public:
    virtual ~IcxFormatControllerListener2() = default;
    virtual void TimeChanged() = 0;
};

class TcxFormatController {
public:
    TcxFormatController();
    virtual ~TcxFormatController();
    TcxFormatController(const TcxFormatController&) = delete;
    TcxFormatController& operator=(const TcxFormatController&) = delete;

    // Rebuilds every format and mask the application has not assigned.
    void UpdateFormats();

    // A listener registered twice is kept once. The hidden window lives while a listener is.
    virtual void AddListener(IcxFormatControllerListener* Listener);
    virtual void RemoveListener(IcxFormatControllerListener* Listener);

    // False, with no elements, for a format it cannot read (an era).
    static bool ParseFormat(const std::string& Format, TcxDateTimeFormatInfo& Info);
    static std::string GetStandardMask(const TcxDateTimeFormatInfo& Info, TcxStandardMaskMode Mode);
    static std::string GetRegExprMask(const TcxDateTimeFormatInfo& Info, TcxRegExprMaskMode Mode);
    static std::string GetDisplayFormat(const TcxDateTimeFormatInfo& Info);
    // Pattern becomes itself or one of the date words with an optional signed day offset.
    static void AddDateWords(std::string& Pattern, bool WithNow);

    const std::string& CurrencyFormat() const { return FCurrencyFormat; }
    void SetCurrencyFormat(const std::string& Value);
    const std::string& DateFormat() const { return FDateFormat; }
    const std::string& DateEditMask() const { return FDateEditMask; }
    const std::string& DateDisplayFormat() const { return FDateDisplayFormat; }
    const std::string& DateTimeDisplayFormat() const { return FDateTimeDisplayFormat; }
    const std::string& DateRegExprMask() const { return FDateRegExprMask; }
    void SetDateRegExprMask(const std::string& Value);
    const std::string& DateTimeRegExprMask() const { return FDateTimeRegExprMask; }
    void SetDateTimeRegExprMask(const std::string& Value);
    const std::string& StandardDateEditMask() const { return FStandardDateEditMask; }
    void SetStandardDateEditMask(const std::string& Value);
    const std::string& StandardDateTimeEditMask() const { return FStandardDateTimeEditMask; }
    void SetStandardDateTimeEditMask(const std::string& Value);
    // 0 Sunday .. 6 Saturday.
    int FirstWeekDay() const { return FFirstWeekDay; }
    void SetFirstWeekDay(int Value);
    const TcxDateTimeFormatInfo& DateElements() const { return FDateElements; }
    const TcxDateTimeFormatInfo& DateTimeElements() const { return FDateTimeElements; }
    const TcxDateTimeFormatInfo& TimeElements() const { return FTimeElements; }
    int ListenerCount() const { return static_cast<int>(FListeners.size()); }
    // NullHWnd while no listener is registered.
    platform::core::HWND WindowHandle() const;

protected:
    virtual void WndProc(platform::core::TMessage& Message);

private:
    void CalculateMasks(bool WithWords);

    bool FAssignedCurrencyFormat = false;
    bool FAssignedDateRegExprMask = false;
    bool FAssignedDateTimeRegExprMask = false;
    bool FAssignedStandardDateEditMask = false;
    bool FAssignedStandardDateTimeEditMask = false;
    bool FFirstWeekDayAssigned = false;
    std::string FCurrencyFormat;
    std::string FDateFormat;
    std::string FDateEditMask;
    TcxDateTimeFormatInfo FDateElements;
    TcxDateTimeFormatInfo FDateTimeElements;
    std::vector<IcxFormatControllerListener*> FListeners;
    std::string FDateDisplayFormat;
    std::string FDateTimeDisplayFormat;
    std::string FDateRegExprMask;
    std::string FDateTimeRegExprMask;
    std::string FStandardDateEditMask;
    std::string FStandardDateTimeEditMask;
    int FFirstWeekDay = 0;
    TcxDateTimeFormatInfo FTimeElements;
    std::unique_ptr<platform::core::MessageWindow> FWindow;
};

// The currency display format of the regional settings in force.
std::string cxCurrencyFormatOf(const std::string& CurrencyString, int CurrencyFormat,
                               int NegCurrFormat, int CurrencyDecimals);

// The process-wide controller, made on first use. A controller made otherwise becomes it while
// none exists; it stays the process's until it is destroyed.
TcxFormatController& cxFormatController();
// Destroys the controller that cxFormatController made (shut-down, tests).
void cxFreeFormatController();

} // namespace toolkit::edit
