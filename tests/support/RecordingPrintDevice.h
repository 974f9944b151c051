#pragma once
// A print device for tests: every call is recorded with its arguments, and any
// call can be told to fail with a given result. "M" measures charWidth ×
// charHeight and every character one "M" wide.
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/IPrintDevice.h"

class RecordingPrintDevice : public IPrintDevice {
public:
    struct Call {
        std::string name;  // StartDoc, StartPage, TextOut, EndPage, EndDoc, AbortDoc
        int x = 0;
        int y = 0;
        QString text;  // TextOut's text, StartDoc's document name
    };

    int horzRes = 250;
    int vertRes = 400;
    int charWidth = 10;
    int charHeight = 20;
    int externalLeading = 0;
    int characterExtra = 0;
    std::function<bool(char32_t)> canShow = [](char32_t) { return true; };

    // The `occurrence`-th call named `name` (from 1) returns `result`.
    void Fail(const std::string& name, int result, int occurrence = 1);

    const std::vector<Call>& Calls() const { return m_calls; }
    std::vector<std::string> Names() const;
    int HookCalls() const { return m_hookCalls; }

    int HorzRes() const override { return horzRes; }
    int VertRes() const override { return vertRes; }
    QSize TextExtent(const QString& text) const override;
    int ExternalLeading() const override { return externalLeading; }
    int TextCharacterExtra() const override { return characterExtra; }
    bool CanShow(char32_t character) const override { return canShow(character); }
    void SetAbortProc(std::function<bool()> hook) override { m_hook = std::move(hook); }
    int StartDoc(const QString& documentName) override;
    int StartPage() override;
    void TextOut(int x, int y, const QString& text) override;
    int EndPage() override;
    int EndDoc() override;
    int AbortDoc() override;

private:
    int Record(Call call);
    void CallHook();

    std::vector<Call> m_calls;
    std::map<std::pair<std::string, int>, int> m_failures;
    std::map<std::string, int> m_counts;
    std::function<bool()> m_hook;
    int m_hookCalls = 0;
};
