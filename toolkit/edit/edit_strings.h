#pragma once
// The editors' texts that the mask engines show, as resource strings of the editors' group.

#include "toolkit/base/resource_strings.h"

namespace toolkit::edit {

using toolkit::base::TResStringRec;

inline constexpr TResStringRec scxRegExprLine{"Line"};
inline constexpr TResStringRec scxRegExprChar{"Char"};
inline constexpr TResStringRec scxRegExprNotAssignedSourceStream{
    "The source stream is not assigned"};
inline constexpr TResStringRec scxRegExprEmptySourceStream{"The source stream is empty"};
inline constexpr TResStringRec scxRegExprCantUsePlusQuantifier{
    "The '+' quantifier cannot be applied here"};
inline constexpr TResStringRec scxRegExprCantUseStarQuantifier{
    "The '*' quantifier cannot be applied here"};
inline constexpr TResStringRec scxRegExprCantCreateEmptyAlt{"The alternative should not be empty"};
inline constexpr TResStringRec scxRegExprCantCreateEmptyBlock{"The block should not be empty"};
inline constexpr TResStringRec scxRegExprIllegalSymbol{"Illegal '%s'"};
inline constexpr TResStringRec scxRegExprIllegalQuantifier{"Illegal quantifier '%s'"};
inline constexpr TResStringRec scxRegExprNotSupportQuantifier{
    "The parameter quantifiers are not supported"};
inline constexpr TResStringRec scxRegExprIllegalIntegerValue{"Illegal integer value"};
inline constexpr TResStringRec scxRegExprTooBigReferenceNumber{"Too big reference number"};
inline constexpr TResStringRec scxRegExprCantCreateEmptyEnum{"Can't create empty enumeration"};
inline constexpr TResStringRec scxRegExprSubrangeOrder{
    "The starting character of the subrange must be less than the finishing one"};
inline constexpr TResStringRec scxRegExprHexNumberExpected0{"Hexadecimal number expected"};
inline constexpr TResStringRec scxRegExprHexNumberExpected{
    "Hexadecimal number expected but '%s' found"};
inline constexpr TResStringRec scxRegExprMissing{"Missing '%s'"};
inline constexpr TResStringRec scxRegExprUnnecessary{"Unnecessary '%s'"};
inline constexpr TResStringRec scxRegExprIncorrectSpace{
    "The space character is not allowed after '\\'"};
inline constexpr TResStringRec scxRegExprNotCompiled{"Regular expression is not compiled"};
inline constexpr TResStringRec scxRegExprIncorrectParameterQuantifier{
    "Incorrect parameter quantifier"};
inline constexpr TResStringRec scxRegExprCantUseParameterQuantifier{
    "The parameter quantifier cannot be applied here"};

// Adds the strings above by name, in the editors' registration order; the editors' string
// group is registered with this as (part of) its callback.
void AddEditResourceStringNames(toolkit::base::TdxProductResourceStrings& Product);

// The text with its one "%s" replaced by Arg.
std::string FormatResourceString(const TResStringRec& R, const std::string& Arg);

} // namespace toolkit::edit
