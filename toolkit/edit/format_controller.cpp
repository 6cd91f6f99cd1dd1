#include "toolkit/edit/format_controller.h"

#include "platform/core/date_time.h"
#include "platform/core/regional_settings.h"
#include "platform/core/text.h"
#include "toolkit/base/resource_strings.h"
#include "toolkit/edit/date_strings.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace toolkit::edit {

namespace pc = platform::core;
using Kind = TcxDateTimeFormatItemKind;

namespace {

TcxFormatController* g_controller = nullptr;
std::unique_ptr<TcxFormatController> g_ownController;

char Upper(char Ch) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(Ch)));
}

bool IsDateKind(Kind K) {
    return K == Kind::dtikYear || K == Kind::dtikMonth || K == Kind::dtikDay ||
           K == Kind::dtikDateSeparator;
}

bool IsTimeKind(Kind K) {
    return K == Kind::dtikHour || K == Kind::dtikMin || K == Kind::dtikSec || K == Kind::dtikMSec ||
           K == Kind::dtikTimeSuffix || K == Kind::dtikTimeSeparator;
}

// Text inside single quotes of a regular-expression mask, each apostrophe doubled so that the
// quotes still close where the text ends.
std::string RegExprQuoted(const std::string& Text) {
    std::string Result = "'";
    for (char Ch : Text) {
        Result += Ch;
        if (Ch == '\'') Result += '\'';
    }
    return Result + "'";
}

std::string RegExprSeparator(char Separator) {
    if (Separator == 0) return {};
    if (Separator == ' ') return "' '";
    return std::string("\\") + Separator;
}

class TFormatParser {
public:
    explicit TFormatParser(TcxDateTimeFormatInfo& Info) : FInfo(Info) {}

    bool Parse(const std::string& Format, bool Expanded) {
        const auto& Settings = pc::FormatSettings();
        const auto& Regional = pc::RegionalSettings();
        std::size_t I = 0;
        while (I < Format.size()) {
            const char Ch = Format[I];
            const char U = Upper(Ch);
            if (Ch == '"' || Ch == '\'') {
                std::size_t Close = Format.find(Ch, I + 1);
                if (Close == std::string::npos) Close = Format.size();
                AddLiteral(Format.substr(I + 1, Close - I - 1));
                I = std::min(Close + 1, Format.size());
                continue;
            }
            if (Ch == '/') {
                Add(Kind::dtikDateSeparator, "/");
                ++I;
                continue;
            }
            if (Ch == ':') {
                Add(Kind::dtikTimeSeparator, ":");
                ++I;
                continue;
            }
            if (static_cast<unsigned char>(U) < 34 || static_cast<unsigned char>(U) > 90 ||
                !std::isalpha(static_cast<unsigned char>(U))) {
                AddLiteral(std::string(1, Ch));
                ++I;
                continue;
            }
            std::size_t Run = 1;
            while (I + Run < Format.size() && Upper(Format[I + Run]) == U)
                ++Run;
            char Letter = U;
            if (Letter == 'M' && FLastLetter == 'H') Letter = 'N';
            FLastLetter = U;
            if (U == 'A') {
                I += ParseA(Format, I);
                continue;
            }
            I += Run;
            const int N = static_cast<int>(Run);
            switch (Letter) {
            case 'C':
                if (!Expanded &&
                    !Parse(Settings.ShortDateFormat + " " + Settings.LongTimeFormat, true))
                    return false;
                break;
            case 'D':
                if (N <= 4)
                    Add(Kind::dtikDay, std::string(Run, 'D'));
                else if (!Expanded &&
                         !Parse(N == 5 ? Settings.ShortDateFormat : Regional.LongDateFormat, true))
                    return false;
                break;
            case 'E':
            case 'Y':
                Add(Kind::dtikYear, N > 2 ? "YYYY" : "YY");
                break;
            case 'G':
                return false;
            case 'H':
                Add(Kind::dtikHour, std::string(std::min(N, 2), 'H'));
                break;
            case 'M':
                Add(Kind::dtikMonth, std::string(std::min(N, 4), 'M'));
                break;
            case 'N':
                Add(Kind::dtikMin, std::string(std::min(N, 2), 'N'));
                break;
            case 'S':
                Add(Kind::dtikSec, std::string(std::min(N, 2), 'S'));
                break;
            case 'T':
                if (!Expanded &&
                    !Parse(N == 1 ? Regional.ShortTimeFormat : Settings.LongTimeFormat, true))
                    return false;
                break;
            case 'Z':
                Add(Kind::dtikMSec, std::string(std::min(N, 3), 'Z'));
                break;
            default:
                AddLiteral(Format.substr(I - Run, Run));
            }
        }
        return true;
    }

    void Finish() {
        auto Hour = std::find_if(FInfo.Items.begin(), FInfo.Items.end(),
                                 [](const auto& Item) { return Item.Kind == Kind::dtikHour; });
        if (Hour == FInfo.Items.end()) {
            std::erase_if(FInfo.Items,
                          [](const auto& Item) { return Item.Kind == Kind::dtikTimeSuffix; });
            FInfo.DefinedItems[static_cast<int>(Kind::dtikTimeSuffix)] = false;
        } else {
            Hour->Data.insert(0, F12Hour ? "12" : "24");
        }
    }

private:
    // The length taken by the "A" at Start.
    std::size_t ParseA(const std::string& Format, std::size_t Start) {
        auto At = [&](const char* Text) {
            const std::size_t Length = std::strlen(Text);
            if (Start + Length > Format.size()) return false;
            for (std::size_t J = 0; J < Length; ++J)
                if (Upper(Format[Start + J]) != Text[J]) return false;
            return true;
        };
        for (const char* Suffix : {"AM/PM", "A/P", "AMPM"}) {
            if (At(Suffix)) {
                F12Hour = true;
                Add(Kind::dtikTimeSuffix, Suffix);
                return std::strlen(Suffix);
            }
        }
        if (At("AAAA")) {
            Add(Kind::dtikDay, "DDDD");
            return 4;
        }
        if (At("AAA")) {
            Add(Kind::dtikDay, "DDD");
            return 3;
        }
        AddLiteral(std::string(1, Format[Start]));
        return 1;
    }

    void Add(Kind K, const std::string& Data) {
        const bool Separator = K == Kind::dtikDateSeparator || K == Kind::dtikTimeSeparator;
        auto& Defined = FInfo.DefinedItems[static_cast<int>(K)];
        if (Defined && !Separator) return;
        Defined = true;
        FInfo.Items.push_back({K, Data});
    }

    void AddLiteral(const std::string& Text) {
        if (Text.empty()) return;
        FInfo.DefinedItems[static_cast<int>(Kind::dtikString)] = true;
        if (!FInfo.Items.empty() && FInfo.Items.back().Kind == Kind::dtikString)
            FInfo.Items.back().Data += Text;
        else
            FInfo.Items.push_back({Kind::dtikString, Text});
    }

    TcxDateTimeFormatInfo& FInfo;
    char FLastLetter = 0;
    bool F12Hour = false;
};

} // namespace

bool TcxFormatController::ParseFormat(const std::string& Format, TcxDateTimeFormatInfo& Info) {
    Info = {};
    TFormatParser Parser(Info);
    if (!Parser.Parse(Format.empty() ? "C" : Format, false)) {
        Info = {};
        return false;
    }
    Parser.Finish();
    return true;
}

std::string TcxFormatController::GetStandardMask(const TcxDateTimeFormatInfo& Info,
                                                 TcxStandardMaskMode Mode) {
    if (Info.Items.empty()) return {};
    const bool Time = Mode == TcxStandardMaskMode::smmTime;
    std::string Mask = Time ? "" : "!";
    for (const auto& Item : Info.Items) {
        switch (Item.Kind) {
        case Kind::dtikString:
            for (char Ch : Item.Data) {
                Mask += '\\';
                Mask += Ch;
            }
            break;
        case Kind::dtikYear:
            Mask += Item.Data.size() == 2 ? "99" : "9999";
            break;
        case Kind::dtikMonth:
        case Kind::dtikDay:
            Mask += Item.Data.size() >= 3 ? "lll" : "99";
            break;
        case Kind::dtikHour:
        case Kind::dtikMin:
        case Kind::dtikSec:
            Mask += Time ? "00" : "99";
            break;
        case Kind::dtikTimeSuffix:
            if (Item.Data == "A/P") {
                Mask += "c";
            } else if (Item.Data == "AM/PM") {
                Mask += "cc";
            } else {
                const auto& Settings = pc::FormatSettings();
                Mask += std::string(
                    std::max(Settings.TimeAMString.size(), Settings.TimePMString.size()), 'c');
            }
            break;
        case Kind::dtikDateSeparator:
            Mask += '/';
            break;
        case Kind::dtikTimeSeparator:
            Mask += ':';
            break;
        case Kind::dtikMSec:
            break;
        }
    }
    return Mask + (Time ? ";1;0" : ";1; ");
}

std::string TcxFormatController::GetRegExprMask(const TcxDateTimeFormatInfo& Info,
                                                TcxRegExprMaskMode Mode) {
    const auto& Settings = pc::FormatSettings();
    const auto& Regional = pc::RegionalSettings();
    std::string Mask;
    for (const auto& Item : Info.Items) {
        // A mixed format's elements of the other half are left out; remmNone leaves out none.
        if (Mode == TcxRegExprMaskMode::remmDate && IsTimeKind(Item.Kind)) continue;
        if (Mode == TcxRegExprMaskMode::remmTime && IsDateKind(Item.Kind)) continue;
        switch (Item.Kind) {
        case Kind::dtikString:
            Mask += RegExprQuoted(Item.Data);
            break;
        case Kind::dtikYear:
            Mask += Item.Data.size() == 2 ? "\\d\\d" : "\\d\\d\\d\\d";
            break;
        case Kind::dtikMonth: {
            const auto& Names =
                Item.Data.size() == 4 ? Regional.LongMonthNames : Regional.ShortMonthNames;
            Mask += "((0?[1-9]|1[012])|(";
            for (std::size_t I = 0; I < Names.size(); ++I) {
                if (I > 0) Mask += '|';
                Mask += RegExprQuoted(Names[I]);
            }
            Mask += "))";
            break;
        }
        case Kind::dtikDay:
            Mask += "([012]?[1-9]|[123]0|31)";
            break;
        case Kind::dtikHour:
            Mask += Item.Data.starts_with("12") ? "(0?[1-9]|1[012])" : "([01]?\\d|2[0-3])";
            break;
        case Kind::dtikMin:
        case Kind::dtikSec:
            Mask += "[0-5]?\\d";
            break;
        case Kind::dtikTimeSuffix:
            if (Item.Data == "A/P") {
                Mask += "(A|P)?";
            } else if (Item.Data == "AM/PM") {
                Mask += "(AM|PM)?";
            } else {
                std::string Choices;
                for (const auto* Designator : {&Settings.TimeAMString, &Settings.TimePMString}) {
                    if (Designator->empty()) continue;
                    if (!Choices.empty()) Choices += '|';
                    Choices += RegExprQuoted(*Designator);
                }
                if (!Choices.empty()) Mask += "(" + Choices + ")?";
            }
            break;
        case Kind::dtikDateSeparator:
            Mask += RegExprSeparator(Settings.DateSeparator);
            break;
        case Kind::dtikTimeSeparator:
            Mask += RegExprSeparator(Settings.TimeSeparator);
            break;
        case Kind::dtikMSec:
            break;
        }
    }
    return Mask;
}

std::string TcxFormatController::GetDisplayFormat(const TcxDateTimeFormatInfo& Info) {
    std::string Format;
    for (const auto& Item : Info.Items) {
        switch (Item.Kind) {
        case Kind::dtikString:
            // Display formats have no escape for a quote inside quotes: the other quote holds it.
            if (Item.Data.find('\'') != std::string::npos)
                Format += '"' + Item.Data + '"';
            else
                Format += '\'' + Item.Data + '\'';
            break;
        case Kind::dtikYear:
            Format += pc::LowerCase(Item.Data);
            break;
        case Kind::dtikMonth:
            Format += Item.Data.size() >= 3 ? "mmm" : "mm";
            break;
        case Kind::dtikDay:
            Format += Item.Data.size() >= 3 ? "ddd" : "dd";
            break;
        case Kind::dtikHour:
            Format += "hh";
            break;
        case Kind::dtikMin:
            Format += "nn";
            break;
        case Kind::dtikSec:
            Format += "ss";
            break;
        case Kind::dtikTimeSuffix:
            Format += pc::LowerCase(Item.Data);
            break;
        case Kind::dtikDateSeparator:
            Format += '/';
            break;
        case Kind::dtikTimeSeparator:
            Format += ':';
            break;
        case Kind::dtikMSec:
            break;
        }
    }
    return Format;
}

void TcxFormatController::AddDateWords(std::string& Pattern, bool WithNow) {
    std::string Words;
    for (const auto* Word : cxDateWords) {
        if (Word == &cxSDateNow && !WithNow) continue;
        const std::string Text = toolkit::base::cxGetResourceString(*Word);
        if (!Words.empty()) Words += '|';
        std::string Run;
        for (char Ch : Text) {
            if (Ch == '\'') {
                if (!Run.empty()) Words += "'" + Run + "'";
                Run.clear();
                Words += "\\'";
            } else {
                Run += Ch;
            }
        }
        if (!Run.empty()) Words += "'" + Run + "'";
    }
    Pattern = "(" + Pattern + ")|(" + Words + ")((\\+|-)\\d(\\d(\\d\\d?)?)?)?";
}

std::string cxCurrencyFormatOf(const std::string& CurrencyString, int CurrencyFormat,
                               int NegCurrFormat, int CurrencyDecimals) {
    const std::string n = ",0." + std::string(std::max(CurrencyDecimals, 0), '0');
    std::string c;
    for (char Ch : CurrencyString) {
        if (Ch == ',' || Ch == '.')
            c += std::string("'") + Ch + "'";
        else
            c += Ch;
    }
    std::string Positive;
    if (!CurrencyString.empty()) {
        switch (CurrencyFormat) {
        case 1:
            Positive = n + c;
            break;
        case 2:
            Positive = c + " " + n;
            break;
        case 3:
            Positive = n + " " + c;
            break;
        default:
            Positive = c + n;
        }
    }
    std::string Negative;
    switch (NegCurrFormat) {
    case 0:
        Negative = "(" + c + n + ")";
        break;
    case 1:
        Negative = "-" + c + n;
        break;
    case 2:
        Negative = c + "-" + n;
        break;
    case 3:
        Negative = c + n + "-";
        break;
    case 4:
        Negative = "(" + n + c + ")";
        break;
    case 5:
        Negative = "-" + n + c;
        break;
    case 6:
        Negative = n + "-" + c;
        break;
    case 7:
        Negative = n + c + "-";
        break;
    case 8:
        Negative = "-" + n + " " + c;
        break;
    case 9:
        Negative = "-" + c + " " + n;
        break;
    case 10:
        Negative = n + " " + c + "-";
        break;
    case 11:
        Negative = c + " " + n + "-";
        break;
    case 12:
        Negative = c + " " + "-" + n;
        break;
    case 13:
        Negative = n + "-" + " " + c;
        break;
    case 14:
        Negative = "(" + c + " " + n + ")";
        break;
    case 15:
        Negative = "(" + n + " " + c + ")";
        break;
    default:
        break;
    }
    return Positive + ";" + Negative;
}

TcxFormatController::TcxFormatController() {
    if (!g_controller) g_controller = this;
    UpdateFormats();
}

TcxFormatController::~TcxFormatController() {
    if (g_controller == this) g_controller = nullptr;
}

void TcxFormatController::UpdateFormats() {
    const auto& Regional = pc::RegionalSettings();
    if (!FAssignedCurrencyFormat)
        FCurrencyFormat = cxCurrencyFormatOf(Regional.CurrencyString, Regional.CurrencyFormat,
                                             Regional.NegCurrFormat, Regional.CurrencyDecimals);
    if (!FFirstWeekDayAssigned) {
        // The locale counts from Monday; the controller from Sunday.
        const int Day = Regional.FirstDayOfWeek + 1;
        FFirstWeekDay = Day >= 7 ? 0 : Day;
    }
    CalculateMasks(true);
    FDateFormat.clear();
    const std::string& Short = pc::FormatSettings().ShortDateFormat;
    for (std::size_t I = 0; I < Short.size(); ++I) {
        const char Ch = Short[I];
        FDateFormat += Ch;
        const bool Single =
            (I == 0 || Short[I - 1] != Ch) && (I + 1 == Short.size() || Short[I + 1] != Ch);
        if ((Ch == 'd' || Ch == 'M') && Single) FDateFormat += Ch;
    }
}

void TcxFormatController::CalculateMasks(bool WithWords) {
    const auto& Settings = pc::FormatSettings();
    ParseFormat(Settings.ShortDateFormat, FDateElements);
    ParseFormat(Settings.LongTimeFormat, FTimeElements);
    ParseFormat(Settings.ShortDateFormat + " " + Settings.LongTimeFormat, FDateTimeElements);
    FDateEditMask = GetStandardMask(FDateElements, TcxStandardMaskMode::smmDate);
    if (!FAssignedStandardDateEditMask) FStandardDateEditMask = FDateEditMask;
    const std::string DateMask = GetRegExprMask(FDateElements, TcxRegExprMaskMode::remmDate);
    if (!FAssignedDateRegExprMask) {
        FDateRegExprMask = DateMask;
        if (WithWords) AddDateWords(FDateRegExprMask, false);
    }
    if (!FAssignedDateTimeRegExprMask) {
        FDateTimeRegExprMask =
            DateMask + " ' '(" + GetRegExprMask(FTimeElements, TcxRegExprMaskMode::remmTime) + ")?";
        if (WithWords) AddDateWords(FDateTimeRegExprMask, true);
    }
    if (!FAssignedStandardDateTimeEditMask)
        FStandardDateTimeEditMask =
            GetStandardMask(FDateTimeElements, TcxStandardMaskMode::smmDateTime);
    FDateDisplayFormat = GetDisplayFormat(FDateElements);
    FDateTimeDisplayFormat = GetDisplayFormat(FDateTimeElements);
}

void TcxFormatController::SetCurrencyFormat(const std::string& Value) {
    FAssignedCurrencyFormat = true;
    FCurrencyFormat = Value;
}

void TcxFormatController::SetDateRegExprMask(const std::string& Value) {
    FAssignedDateRegExprMask = true;
    FDateRegExprMask = Value;
}

void TcxFormatController::SetDateTimeRegExprMask(const std::string& Value) {
    FAssignedDateTimeRegExprMask = true;
    FDateTimeRegExprMask = Value;
}

void TcxFormatController::SetStandardDateEditMask(const std::string& Value) {
    FAssignedStandardDateEditMask = true;
    FStandardDateEditMask = Value;
}

void TcxFormatController::SetStandardDateTimeEditMask(const std::string& Value) {
    FAssignedStandardDateTimeEditMask = true;
    FStandardDateTimeEditMask = Value;
}

void TcxFormatController::SetFirstWeekDay(int Value) {
    FFirstWeekDayAssigned = true;
    FFirstWeekDay = Value;
}

pc::HWND TcxFormatController::WindowHandle() const {
    return FWindow ? FWindow->Handle() : pc::NullHWnd;
}

void TcxFormatController::AddListener(IcxFormatControllerListener* Listener) {
    if (std::find(FListeners.begin(), FListeners.end(), Listener) != FListeners.end()) return;
    if (FListeners.empty())
        FWindow = std::make_unique<pc::MessageWindow>(
            [this](pc::TMessage& Message) { WndProc(Message); });
    FListeners.push_back(Listener);
}

void TcxFormatController::RemoveListener(IcxFormatControllerListener* Listener) {
    std::erase(FListeners, Listener);
    if (FListeners.empty()) FWindow.reset();
}

void TcxFormatController::WndProc(pc::TMessage& Message) {
    if (Message.Msg == pc::WM_WININICHANGE) {
        const auto* Section = reinterpret_cast<const char*>(Message.LParam);
        if (Message.WParam == 0 && Section && std::strcmp(Section, "intl") == 0 &&
            pc::UpdateFormatSettings()) {
            pc::ReloadRegionalSettings();
            UpdateFormats();
            // A listener may remove itself while it hears the news.
            const auto Listeners = FListeners;
            for (auto* Listener : Listeners)
                Listener->FormatChanged();
        }
        return;
    }
    if (Message.Msg == pc::WM_TIMECHANGE) {
        const auto Listeners = FListeners;
        for (auto* Listener : Listeners)
            if (auto* TimeListener = dynamic_cast<IcxFormatControllerListener2*>(Listener))
                TimeListener->TimeChanged();
        return;
    }
    // What the default procedure of a message-only window answers to the rest.
    Message.Result = 0;
}

TcxFormatController& cxFormatController() {
    if (!g_controller) g_ownController = std::make_unique<TcxFormatController>();
    return *g_controller;
}

void cxFreeFormatController() {
    g_ownController.reset();
}

} // namespace toolkit::edit
