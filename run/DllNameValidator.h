#pragma once
// The limit of the Environment dialog's DLL name field: the name's bytes, as
// the interpreter receives them, must fit kMaxDllName. An edit that would make
// the name longer is refused whole (a paste is never cut to fit), and the
// field's inputRejected signal tells the dialog so.
#include <QValidator>

class DllNameValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};
