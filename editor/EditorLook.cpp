#include "editor/EditorLook.h"

#include <QString>

#include "platform/Profile.h"

namespace {

const QString kSection = QStringLiteral("Options");
const QString kColours = QStringLiteral("SyntaxColours");
const QString kLineNumbers = QStringLiteral("LineNumbers");

}  // namespace

EditorLook EditorLook::FromProfile()
{
    EditorLook look;
    look.colours = Profile::GetInt(kSection, kColours, 1) != 0;
    look.lineNumbers = Profile::GetInt(kSection, kLineNumbers, 1) != 0;
    return look;
}

void EditorLook::ToProfile() const
{
    Profile::WriteInt(kSection, kColours, colours ? 1 : 0);
    Profile::WriteInt(kSection, kLineNumbers, lineNumbers ? 1 : 0);
    Profile::Flush();
}

EditorLook& CurrentEditorLook()
{
    static EditorLook look;
    return look;
}
