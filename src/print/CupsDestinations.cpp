#include "print/CupsDestinations.h"

#include <QStringList>

#include <cups/cups.h>
#include <vector>

namespace {

// What the last request's status means; the server's words are the reason.
PrintDestinations::Outcome outcomeOfLastError()
{
    switch (cupsLastError()) {
    case IPP_STATUS_OK:
    case IPP_STATUS_ERROR_NOT_FOUND: return PrintDestinations::Outcome::Unknown;
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
    case IPP_STATUS_ERROR_INTERNAL: return PrintDestinations::Outcome::Unreachable;
    default: return PrintDestinations::Outcome::Refused;
    }
}

QString lastReason()
{
    return QString::fromLocal8Bit(cupsLastErrorString());
}

// Whether the server takes connections at all: libcups reports an absent
// server as a missing default destination.
bool serverAnswers(QString &reason)
{
    http_t *http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr);
    if (!http) {
        reason = QString::fromLocal8Bit(cupsServer()) + QStringLiteral(": ") + lastReason();
        return false;
    }
    httpClose(http);
    return true;
}

// The message an administrator gave with cupsreject or cupsdisable, which
// the destination list leaves out.
QString stateMessage(const char *queue)
{
    ipp_t *request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s", queue);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "printer-state-message");
    ipp_t *response = cupsDoRequest(nullptr, request, "/");
    QString message;
    if (ipp_attribute_t *attribute = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT))
        message = QString::fromUtf8(ippGetString(attribute, 0, nullptr));
    ippDelete(response);
    return message;
}

QString option(const cups_dest_t &dest, const char *name)
{
    return QString::fromUtf8(cupsGetOption(name, dest.num_options, dest.options));
}

PrintDestinations::Destination destinationOf(const cups_dest_t &dest)
{
    PrintDestinations::Destination d;
    d.name = QString::fromLocal8Bit(dest.name);
    if (dest.instance)
        d.name += QLatin1Char('/') + QString::fromLocal8Bit(dest.instance);
    d.isDefault = dest.is_default != 0;
    d.accepting = option(dest, "printer-is-accepting-jobs") != QLatin1String("false");
    const int state = option(dest, "printer-state").toInt();
    d.paused = state == IPP_PSTATE_STOPPED;
    d.busy = state == IPP_PSTATE_PROCESSING;
    if (d.paused || !d.accepting)
        d.stateMessage = stateMessage(dest.name);
    if (d.stateMessage.isEmpty() && (d.paused || !d.accepting)) {
        const QString reasons = option(dest, "printer-state-reasons");
        if (reasons != QLatin1String("none"))
            d.stateMessage = reasons;
    }
    return d;
}

// "queue/instance": CUPS takes jobs for the queue; the instance only names
// a set of options.
QByteArray queueOf(const QString &name)
{
    return name.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
}

} // namespace

PrintDestinations::Listing CupsDestinations::list()
{
    Listing listing;
    cups_dest_t *dests = nullptr;
    const int count = cupsGetDests2(nullptr, &dests);
    if (count == 0 && !serverAnswers(listing.reason))
        listing.outcome = Outcome::Unreachable;
    for (int i = 0; i < count; ++i)
        listing.destinations.append(destinationOf(dests[i]));
    cupsFreeDests(count, dests);
    return listing;
}

PrintDestinations::Lookup CupsDestinations::find(const QString &name)
{
    Lookup lookup;
    const QByteArray queue = queueOf(name);
    const QByteArray instance = name.section(QLatin1Char('/'), 1).toLocal8Bit();
    cups_dest_t *dest =
        cupsGetNamedDest(nullptr, queue.isEmpty() ? nullptr : queue.constData(), instance.isEmpty() ? nullptr : instance.constData());
    if (!dest) {
        lookup.outcome = outcomeOfLastError();
        lookup.reason = lastReason();
        if (lookup.outcome == Outcome::Refused || !serverAnswers(lookup.reason))
            lookup.outcome = Outcome::Unreachable;
        return lookup;
    }
    lookup.destination = destinationOf(*dest);
    cupsFreeDests(1, dest);
    return lookup;
}

PrintDestinations::Submitted CupsDestinations::submit(const QString &name, const QString &pdfFile, const QString &title,
                                                      const Options &options)
{
    std::vector<cups_option_t> list;
    list.reserve(size_t(options.size()));
    for (const auto &[optionName, value] : options)
        list.push_back({const_cast<char *>(optionName.constData()), const_cast<char *>(value.constData())});
    Submitted submitted;
    submitted.jobId = cupsPrintFile2(nullptr, queueOf(name).constData(), pdfFile.toLocal8Bit().constData(), title.toUtf8().constData(),
                                     int(list.size()), list.data());
    if (submitted.jobId <= 0) {
        submitted.jobId = 0;
        submitted.outcome = outcomeOfLastError();
        submitted.reason = lastReason();
    }
    return submitted;
}

PrintDestinations::Job CupsDestinations::job(int jobId)
{
    Job job;
    ipp_t *request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = "ipp://localhost/jobs/" + QByteArray::number(jobId);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    static const char *const wanted[] = {"job-state", "job-state-reasons", "job-printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, wanted);
    ipp_t *response = cupsDoRequest(nullptr, request, "/");
    if (!response || cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
        job.outcome = outcomeOfLastError();
        job.reason = lastReason();
        ippDelete(response);
        return job;
    }
    switch (ippGetInteger(ippFindAttribute(response, "job-state", IPP_TAG_ENUM), 0)) {
    case IPP_JSTATE_PROCESSING: job.state = JobState::Printing; break;
    case IPP_JSTATE_COMPLETED: job.state = JobState::Completed; break;
    case IPP_JSTATE_CANCELED: job.state = JobState::Cancelled; break;
    case IPP_JSTATE_ABORTED: job.state = JobState::Aborted; break;
    default: job.state = JobState::Waiting; break;
    }
    if (job.state == JobState::Cancelled || job.state == JobState::Aborted) {
        job.outcome = Outcome::JobFailed;
        QStringList reasons;
        if (ipp_attribute_t *message = ippFindAttribute(response, "job-printer-state-message", IPP_TAG_TEXT))
            reasons.append(QString::fromUtf8(ippGetString(message, 0, nullptr)));
        if (ipp_attribute_t *attribute = ippFindAttribute(response, "job-state-reasons", IPP_TAG_KEYWORD)) {
            for (int i = 0; i < ippGetCount(attribute); ++i)
                reasons.append(QString::fromUtf8(ippGetString(attribute, i, nullptr)));
        }
        reasons.removeAll(QString());
        reasons.removeAll(QStringLiteral("none"));
        reasons.removeAll(QStringLiteral("processing-to-stop-point"));
        job.reason = reasons.join(QStringLiteral(", "));
    }
    ippDelete(response);
    return job;
}
