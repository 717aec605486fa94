// What the operator is told of each outcome of the window's jobs, in one place: source
// texts of the "Messages" context (ui/message_texts.cpp lists them for the translators),
// "" where the outcome needs no word.
#pragma once

#include <QString>

enum class AnalysisOutcome;
enum class PrintOutcome;
enum class MailOutcome;
enum class VersionCheck;

namespace outcome {

// Queued and a full outbox; the screens handle a result and a refusal themselves.
QString analysisNotice(AnalysisOutcome outcome);
QString printNotice(PrintOutcome outcome);
// "Success", or where the mail failed.
QString mailNotice(MailOutcome outcome);
QString versionCheckNotice(VersionCheck outcome);

} // namespace outcome
