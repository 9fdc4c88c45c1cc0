#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <utility>

// The destinations of a print server and the jobs sent to them. A layer
// of answers only: `reason` is the server's own text, the German message
// around it is the caller's (PrintMessages).
class PrintDestinations
{
public:
    enum class Outcome {
        Done,
        Unreachable, // no print server answered
        Unknown,     // no destination of that name (or no default)
        Refused,     // the destination or the server would not take the job
        JobFailed,   // the job was aborted or cancelled
        Unwritten,   // the job's file could not be written here
    };

    struct Answer
    {
        Outcome outcome = Outcome::Done;
        QString reason;
        bool ok() const { return outcome == Outcome::Done; }
    };

    struct Destination
    {
        QString name;
        bool isDefault = false;
        bool accepting = true;
        // Stopped by its administrator (cupsdisable): jobs wait.
        bool paused = false;
        // Printing a job right now.
        bool busy = false;
        // What the destination says of itself; may be empty.
        QString stateMessage;
    };

    struct Lookup : Answer
    {
        Destination destination;
    };
    struct Listing : Answer
    {
        QList<Destination> destinations;
    };
    struct Submitted : Answer
    {
        int jobId = 0;
    };

    enum class JobState { Waiting, Printing, Completed, Cancelled, Aborted };
    struct Job : Answer
    {
        JobState state = JobState::Waiting;
    };

    // Name and value, as the print dialog and lp take them.
    using Options = QList<std::pair<QByteArray, QByteArray>>;

    virtual ~PrintDestinations() = default;

    virtual Listing list() = 0;
    // An empty name asks for the default destination.
    virtual Lookup find(const QString &name) = 0;
    // Sends a PDF file as one job.
    virtual Submitted submit(const QString &name, const QString &pdfFile, const QString &title, const Options &options) = 0;
    virtual Job job(int jobId) = 0;

    // The print server of this computer, asked only when a method is
    // called; none where Quillo is built without CUPS.
    static std::unique_ptr<PrintDestinations> system();
};
