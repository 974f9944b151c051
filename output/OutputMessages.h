#pragma once
// The messages the plain output classes report, kept behind plain signatures so
// that those classes do not depend on the widget layer.

// Message `messageId` (133 or 134) with `fileName`, stop icon.
void ReportOutputFileFailure(int messageId, const char* fileName);
