#include "ui/outcome_texts.h"

#include "output/output_service.h"
#include "screening/screening_session.h"
#include "system/firmware_service.h"

namespace outcome {

QString analysisNotice(AnalysisOutcome outcome) {
    switch (outcome) {
    case AnalysisOutcome::Queued:
        return QStringLiteral("Saved. It will be analysed \r\nwhen the network is back.");
    case AnalysisOutcome::OutboxFull:
        return QStringLiteral("Too many results are waiting. \r\nConnect to the network first.");
    case AnalysisOutcome::Analysed:
    case AnalysisOutcome::NoResult:
        break;
    }
    return QString();
}

QString printNotice(PrintOutcome outcome) {
    return outcome == PrintOutcome::Printed ? QString()
                                            : QStringLiteral("Connect to Server Failed!");
}

QString mailNotice(MailOutcome outcome) {
    return outcome == MailOutcome::Sent ? QStringLiteral("Success") : mailOutcomeText(outcome);
}

QString versionCheckNotice(VersionCheck outcome) {
    switch (outcome) {
    case VersionCheck::Failed:
        return QStringLiteral("Version Check Failed!");
    case VersionCheck::Same:
        return QStringLiteral("No New Version!");
    case VersionCheck::NewVersion:
        break;
    }
    return QString();
}

} // namespace outcome
