#include "toolkit/edit/reg_expr_automat.h"

#include "toolkit/edit/reg_expr.h"

namespace toolkit::edit {

TcxRegExprAutomat::TcxRegExprAutomat(std::unique_ptr<TcxRegExprParserAlts> Alts,
                                     TcxRegExpr& RegExpr)
    : FAlts(std::move(Alts)), FRegExpr(RegExpr) {
    FAlts->Link();
    FAlts->SetFinal();
    FStartState.AddNextStates(FAlts->FirstStates());
    FStartState.Final = FAlts->AnyCanBeEmpty();
    FCurrentStates.Add(&FStartState);
}

void TcxRegExprAutomat::Push(TcxRegExprStates States) {
    FHistory.push_back(std::move(FCurrentStates));
    FCurrentStates = std::move(States);
}

bool TcxRegExprAutomat::Next(char& Ch, bool CaseInsensitive) {
    char Checked = Ch;
    TcxRegExprStates States = FCurrentStates.Step(Checked, CaseInsensitive);
    if (States.Count() == 0) return false;
    Ch = Checked;
    Push(std::move(States));
    return true;
}

bool TcxRegExprAutomat::Prev() {
    if (FHistory.empty()) return false;
    FCurrentStates = std::move(FHistory.back());
    FHistory.pop_back();
    return true;
}

void TcxRegExprAutomat::Reset() {
    FHistory.clear();
    FCurrentStates = TcxRegExprStates();
    FCurrentStates.Add(&FStartState);
}

void TcxRegExprAutomat::AutoComplete() {
    if (FCurrentStates.HasFinal()) return;
    TcxRegExprStates States = FCurrentStates.GetNextStates();
    char Ch;
    while (States.GetLiteral(Ch)) {
        if (FRegExpr.OnAddChar) FRegExpr.OnAddChar(Ch);
        Push(std::move(States));
        if (FCurrentStates.HasFinal()) return;
        States = FCurrentStates.GetNextStates();
    }
}

void TcxRegExprAutomat::StepBackOverLiterals() {
    char Ch;
    while (FCurrentStates.GetLiteral(Ch) && !FHistory.empty()) {
        const TcxRegExprStates& Previous = FHistory.back();
        if (!Previous.GetNextStates().GetLiteral(Ch) || Previous.HasFinal()) break;
        if (FRegExpr.OnStepBack) FRegExpr.OnStepBack();
        Prev();
    }
}

bool TcxRegExprAutomat::IsStart() const {
    return FCurrentStates.Count() > 0 && FCurrentStates.Items(0) == &FStartState;
}

} // namespace toolkit::edit
