#include "output/OutputMessages.h"

#include "platform/Win32Types.h"
#include "shell/MessageFromTable.h"

void ReportOutputFileFailure(int messageId, const char* fileName)
{
    MessageFromTable(messageId, MB_ICONSTOP, {fileName ? fileName : ""});
}
