#include <QStringList>
#include <QTest>

#include <deque>
#include <optional>

#include "LinkHarness.h"
#include "datafile/ImageDocument.h"
#include "link/RadioSession.h"
#include "model/VersionRegistry.h"
#include "radio/ImagePacking.h"

// The radio session step by step: every job's road through its questions, transfers, backups and
// the batch's stages, as tables of the inputs handed in and the actions that came out; then whole
// jobs against a simulated radio that loses, spoils and splits its replies.
namespace {

const char kDevice[] = "/dev/ttyUSB7";
const char kBackup[] = "/backups/20260101-120000_ORX740_read/20260101-120000_ORX740_read.dat";

// A job from words: its kind first ("read", "write", "verify", "identify", "batch"), then
// "confirm", "verify" (write --verify), "units=N", "enter", "keep-going", "keep-options",
// "switch-version".
SessionJob jobFrom(const QString &words, const DocumentSet &document, const DocumentSet &base,
                   const VersionRegistry &versions)
{
    const QStringList list = words.split(' ', Qt::SkipEmptyParts);
    static const std::map<QString, JobKind> kinds{{"read", JobKind::Read},
                                                  {"write", JobKind::Write},
                                                  {"verify", JobKind::Verify},
                                                  {"identify", JobKind::Identify},
                                                  {"batch", JobKind::Batch}};
    SessionJob job;
    job.kind = kinds.at(list.front());
    job.readBase = &base;
    job.document = &document;
    job.versions = &versions;
    job.batch.portName = "COM3";
    for (const QString &word : list.mid(1)) {
        job.confirm |= word == "confirm";
        job.verifyAfterWrite |= word == "verify";
        job.batch.nextOnAnswer |= word == "enter";
        job.batch.keepGoing |= word == "keep-going";
        job.batch.keepOptions |= word == "keep-options";
        job.batch.switchVersion |= word == "switch-version";
        if (word.startsWith("units="))
            job.batch.units = word.mid(6).toInt();
    }
    return job;
}

QString questionName(SessionQuestion question)
{
    switch (question) {
    case SessionQuestion::ConfirmRead:
        return "ask-confirm-read";
    case SessionQuestion::ConfirmWrite:
        return "ask-confirm-write";
    case SessionQuestion::Version:
        return "ask-version";
    case SessionQuestion::GoOn:
        return "ask-go-on";
    case SessionQuestion::NextRadio:
        return "ask-next";
    }
    return {};
}

QString resultName(const SessionEnd &end)
{
    switch (end.result) {
    case SessionResult::Done:
        return "done";
    case SessionResult::Different:
        return "different";
    case SessionResult::Declined:
        return "declined";
    case SessionResult::PortNotOpened:
        return "port-not-opened";
    case SessionResult::NotAccepted:
        return "not-accepted";
    case SessionResult::Stopped:
        return "stopped";
    case SessionResult::BatchEnded:
        return QStringLiteral("ended-%1/%2/%3/%4")
            .arg(end.done)
            .arg(end.refused)
            .arg(end.failed)
            .arg(end.untouched);
    }
    return {};
}

// Plays the runner and the driver: hands in the inputs a table names and writes down the actions
// that come out. The radio's memory stands behind the transfers: a read takes it, a write puts
// the image into it.
struct ScriptedSession
{
    RadioSession session;
    RadioImage radio;
    IdentFields identity{"ORX740", true, "V100"};
    QStringList trace;
    std::optional<StartTransfer> transfer;
    std::vector<UnitRecord> units;
    std::optional<SessionEnd> end;
    bool spoilReadBack = false;

    void apply(const SessionActions &actions)
    {
        for (const SessionAction &action : actions)
            trace << describe(action);
    }

    QString describe(const SessionAction &action)
    {
        if (std::holds_alternative<OpenPort>(action))
            return "open";
        if (std::holds_alternative<ClosePort>(action))
            return "close";
        if (const auto *start = std::get_if<StartTransfer>(&action)) {
            transfer = *start;
            if (start->operation == CommOperation::Identify)
                return start->replyTimeoutMs ? "identify-quickly" : "identify";
            if (start->operation == CommOperation::Write)
                return "write";
            return start->image == &session.readBack() ? "read-back" : "read";
        }
        if (const auto *answer = std::get_if<AnswerTransfer>(&action))
            return answer->yes ? "answer-yes" : "answer-no";
        if (std::holds_alternative<CancelTransfer>(action))
            return "cancel";
        if (const auto *keep = std::get_if<KeepBackup>(&action))
            return keep->contents.reason == BackupReason::Read ? "backup-read" : "backup-write";
        if (const auto *ask = std::get_if<Ask>(&action))
            return questionName(ask->question);
        if (std::holds_alternative<StartWait>(action))
            return "wait";
        if (const auto *say = std::get_if<Say>(&action))
            return "say-" + QString::fromStdString(say->text).section(' ', 0, 0).toLower();
        if (std::holds_alternative<ReportProgress>(action))
            return "progress";
        if (std::holds_alternative<TransferEnded>(action))
            return "ended";
        if (const auto *unit = std::get_if<ReportUnit>(&action)) {
            units.push_back(unit->record);
            return "unit-" + QString::fromStdString(unit->record.result);
        }
        end = std::get<SessionFinished>(action).end;
        return resultName(*end);
    }

    TransferReport report(TransferResult result, TransferFailure failure = TransferFailure::None,
                          std::int32_t address = -16, int percent = 0) const
    {
        TransferReport done;
        done.outcome = {transfer ? transfer->operation : CommOperation::Read, result, failure, {}};
        done.identification = identity;
        done.address = address;
        done.percent = percent;
        return done;
    }

    // A transfer that went through: a read takes the radio's memory, a write gives it.
    TransferReport succeeded()
    {
        if (transfer && transfer->operation == CommOperation::Read) {
            *transfer->image = radio;
            if (spoilReadBack && transfer->image == &session.readBack())
                transfer->image->write(0x0010, std::uint8_t(transfer->image->byteAt(0x0010) + 1));
        } else if (transfer && transfer->operation == CommOperation::Write) {
            radio = *transfer->image;
        }
        return report(TransferResult::Success);
    }

    // One input by its name.
    void hand(const QString &input)
    {
        if (input == "open")
            apply(session.portOpened(true, kDevice));
        else if (input == "no-port")
            apply(session.portOpened(false, kDevice));
        else if (input == "yes" || input == "no")
            apply(session.answer(input == "yes"));
        else if (input == "ok")
            apply(session.transferFinished(succeeded()));
        else if (input == "silent")
            apply(session.transferFinished(
                report(TransferResult::Failure, TransferFailure::NoAnswer)));
        else if (input == "dies") // at the third block
            apply(session.transferFinished(
                report(TransferResult::Failure, TransferFailure::NoAnswer, 0x20, 0)));
        else if (input == "refuses")
            apply(session.transferFinished(
                report(TransferResult::Failure, TransferFailure::IdentificationFailed)));
        else if (input == "cancelled")
            apply(session.transferFinished(
                report(TransferResult::Cancelled, TransferFailure::None, 0x20, 0)));
        else if (input == "kept")
            apply(session.backupKept(std::string(kBackup)));
        else if (input == "not-kept")
            apply(session.backupKept(std::nullopt));
        else if (input == "asks")
            apply(session.transferAsks("incompatible version"));
        else if (input == "progress")
            apply(session.transferProgress(50));
        else if (input == "wait-over")
            apply(session.waitOver());
        else if (input == "interrupt")
            apply(session.interrupt());
        else if (input == "port-lost")
            apply(session.portLost());
        else if (input == "no-more-units")
            apply(session.noMoreUnits());
        else if (input == "retry")
            apply(session.retry());
        else if (input == "other-model")
            identity.radioModel = "ORX741";
        else if (input == "other-firmware")
            identity.firmwareVersion = "V101";
        else if (input == "spoil")
            spoilReadBack = true;
        else
            QTest::qFail(qPrintable("no input " + input), __FILE__, __LINE__);
    }
};

// V100 handles V100 only, as a fresh installation's Version.ini says.
VersionRegistry ownVersionOnly()
{
    return VersionRegistry::load([](std::string_view section, std::string_view key) -> std::string {
        if (section == "Version" && key == "FirmVersionCount")
            return "1";
        return section == "Firm" && key == "Firm0" ? "V100V100" : "";
    });
}

} // namespace

class TestRadioSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void jobSteps_data();
    void jobSteps();
    void batchStages_data();
    void batchStages();
    void batchInterrupted_data();
    void batchInterrupted();
    void readOntoItsBase();
    void wholeJobsAgainstASimulatedRadio_data();
    void wholeJobsAgainstASimulatedRadio();
};

void TestRadioSession::jobSteps_data()
{
    QTest::addColumn<QString>("job");
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("detail"); // the first line of the stop's text, or empty

    QTest::newRow("read, confirmed, kept") << "read confirm"
                                           << "open yes progress ok kept"
                                           << "open ask-confirm-read read progress ended "
                                              "backup-read done"
                                           << "";
    QTest::newRow("read, declined: the port is closed") << "read confirm"
                                                        << "open no"
                                                        << "open ask-confirm-read close declined"
                                                        << "";
    QTest::newRow("read, port cannot be opened") << "read confirm"
                                                 << "no-port"
                                                 << "open port-not-opened"
                                                 << "";
    QTest::newRow("read, radio silent")
        << "read"
        << "open silent"
        << "open read ended stopped"
        << "Reading from the radio failed: the radio did not answer after five tries before the "
           "first block.";
    QTest::newRow("read, wrong model") << "read"
                                       << "open refuses"
                                       << "open read ended not-accepted"
                                       << "";
    QTest::newRow("read, version question, No")
        << "read confirm"
        << "open yes asks no refuses"
        << "open ask-confirm-read read ask-version answer-no ended not-accepted"
        << "";
    QTest::newRow("read, cancelled") << "read"
                                     << "open interrupt cancelled"
                                     << "open read cancel ended stopped"
                                     << "Reading from the radio was cancelled at block 3 of "
                                        "1872 (0%).";
    QTest::newRow("read, port lost")
        << "read"
        << "open port-lost dies"
        << "open read ended stopped"
        << "Reading from the radio failed: the connection through the serial port was lost at "
           "block 3 of 1872 (0%).";
    QTest::newRow("write, confirmed: backup before anything goes out")
        << "write confirm"
        << "open yes kept progress ok"
        << "open ask-confirm-write backup-write write progress ended done"
        << "";
    QTest::newRow("write, declined") << "write confirm"
                                     << "open no"
                                     << "open ask-confirm-write close declined"
                                     << "";
    QTest::newRow("write, stops: partly written")
        << "write"
        << "open kept dies"
        << "open backup-write write ended stopped"
        << "Writing to the radio failed: the radio did not answer after five tries at block 3 "
           "of 1872 (0%).";
    QTest::newRow("write --verify, equal")
        << "write verify"
        << "open kept ok open ok"
        << "open backup-write write ended open read-back ended done"
        << "";
    QTest::newRow("write --verify, the radio holds something else")
        << "write verify"
        << "spoil open kept ok open ok"
        << "open backup-write write ended open read-back ended different"
        << "";
    QTest::newRow("write --verify, port gone before the read-back")
        << "write verify"
        << "open kept ok no-port"
        << "open backup-write write ended open port-not-opened"
        << "";
    QTest::newRow("write --verify, read-back silent")
        << "write verify"
        << "open kept ok open silent"
        << "open backup-write write ended open read-back ended stopped"
        << "Reading from the radio failed: the radio did not answer after five tries before the "
           "first block.";
    QTest::newRow("verify, equal") << "verify"
                                   << "open ok"
                                   << "open read-back ended done"
                                   << "";
    QTest::newRow("identify") << "identify"
                              << "open ok"
                              << "open identify ended done"
                              << "";
    QTest::newRow("identify, another model") << "identify"
                                             << "open refuses"
                                             << "open identify ended not-accepted"
                                             << "";
    QTest::newRow("inputs out of step change nothing") << "read"
                                                       << "yes kept wait-over open no ok kept"
                                                       << "open read ended backup-read done"
                                                       << "";
}

void TestRadioSession::jobSteps()
{
    QFETCH(QString, job);
    QFETCH(QString, inputs);
    QFETCH(QString, actions);
    QFETCH(QString, detail);
    DocumentSet document;
    const DocumentSet base;
    const VersionRegistry versions = ownVersionOnly();
    ScriptedSession scripted;
    fillPattern(scripted.radio, 7);
    if (job.startsWith("verify")) // a radio that holds the document
        PackDocumentIntoImage(document, scripted.radio);
    scripted.apply(scripted.session.start(jobFrom(job, document, base, versions)));
    for (const QString &input : inputs.split(' ', Qt::SkipEmptyParts))
        scripted.hand(input);
    QCOMPARE(scripted.trace.join(' '), actions);
    QVERIFY(!scripted.session.isRunning());
    QVERIFY(scripted.end);
    if (!detail.isEmpty()) {
        QVERIFY(scripted.end->stop);
        QCOMPARE(QString::fromStdString(transferStopText(*scripted.end->stop, English))
                     .section("\r\n", 0, 0),
                 detail);
    }
    // A write's radio then holds the packed document.
    if (job.startsWith("write") && scripted.end->result == SessionResult::Done) {
        RadioImage packed;
        PackDocumentIntoImage(document, packed);
        QVERIFY(scripted.radio == packed);
    }
}

namespace {

void batchColumns()
{
    QTest::addColumn<QString>("job");
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("message"); // of the last unit
}

// A production line: another port has taken the last unit, or the failed radio is tried again.
void addProductionLineRows(const QString &unit, const QString &unitActions)
{
    QTest::newRow("the last unit taken elsewhere ends a port between radios")
        << "batch"
        << "open silent no-more-units"
        << "say-waiting open identify-quickly ended wait ended-0/0/0/0"
        << "";
    QTest::newRow("the last unit taken elsewhere lets the radio in hand finish")
        << "batch"
        << "open ok open ok kept no-more-units open ok open ok"
        << unitActions + " unit-ok ended-1/0/0/0"
        << "written and verified";
    QTest::newRow("retry programs the radio that failed, still connected, again")
        << "batch units=2 keep-going"
        << "open ok open ok kept open dies retry wait-over " + unit
        << "say-waiting open identify-quickly ended say-unit open read ended backup-read open "
           "write ended unit-failed say-disconnect wait " +
               unitActions.mid(QString("say-waiting ").size()) + " unit-ok ended-1/0/1/0"
        << "written and verified";
}

} // namespace

void TestRadioSession::batchStages_data()
{
    batchColumns();

    // A radio that answers the ask, then its read, write and read-back.
    const QString unit = "open ok open ok kept open ok open ok";
    const QString unitActions = "say-waiting open identify-quickly ended say-unit open read ended "
                                "backup-read open write ended open read-back ended";
    QTest::newRow("one radio") << "batch units=1" << unit << unitActions + " unit-ok ended-1/0/0/0"
                               << "written and verified";
    QTest::newRow("a silent port is asked again after a pause")
        << "batch units=1"
        << "open silent wait-over no-port wait-over " + unit
        << "say-waiting open identify-quickly ended wait open wait open identify-quickly ended "
           "say-unit open read ended backup-read open write ended open read-back ended unit-ok "
           "ended-1/0/0/0"
        << "written and verified";
    QTest::newRow("another model is refused before the read")
        << "batch units=1"
        << "other-model open refuses"
        << "say-waiting open identify-quickly ended say-unit unit-refused ended-0/1/0/0"
        << "the radio is a ORX741, not an ORX740";
    QTest::newRow("a firmware the template does not fit is refused")
        << "batch units=1 switch-version"
        << "other-firmware open ok"
        << "say-waiting open identify-quickly ended say-unit unit-refused ended-0/1/0/0"
        << "firmware V1.01 does not fit the template's data file version V1.00; "
           "starting the program version for firmware V101 is left to the main program";
    QTest::newRow("a radio that stops mid-write waits for the user's go-on")
        << "batch units=2"
        << "open ok open ok kept open dies yes"
        << "say-waiting open identify-quickly ended say-unit open read ended backup-read open "
           "write ended unit-failed ask-go-on say-disconnect wait"
        << "Writing to the radio failed: the radio did not answer after five tries at block 3 "
           "of 1872 (0%). The radio is only partly written: write again before using it. Check "
           "that the radio is switched on and in programming mode, that the programming cable "
           "is seated at both ends, and the port chosen under Communication Port (its Find Radio "
           "button asks every port for the radio).";
    addProductionLineRows(unit, unitActions);
    QTest::newRow("with keep-going a failure goes straight on")
        << "batch units=2 keep-going"
        << "open ok open ok kept open dies"
        << "say-waiting open identify-quickly ended say-unit open read ended backup-read open "
           "write ended unit-failed say-disconnect wait"
        << "";
    QTest::newRow("on Enter, the one Enter for the next radio also goes on after a failure")
        << "batch units=2 enter"
        << "open ok open ok kept open dies yes open"
        << "say-waiting open identify-quickly ended say-unit open read ended backup-read open "
           "write ended unit-failed say-disconnect ask-next say-waiting open identify-quickly"
        << "";
    QTest::newRow("no go-on (input closed) ends the batch")
        << "batch units=2"
        << "open ok open silent no"
        << "say-waiting open identify-quickly ended say-unit open read ended unit-failed "
           "ask-go-on ended-0/0/1/0"
        << "";
    QTest::newRow("a read-back that differs fails the radio")
        << "batch units=1"
        << "spoil " + unit << unitActions + " unit-failed ended-0/0/1/0"
        << "the radio does not hold what was written (1 differences): write it again";
    QTest::newRow("the port gone before the write leaves the radio unchanged")
        << "batch units=1"
        << "open ok open ok kept no-port"
        << "say-waiting open identify-quickly ended say-unit open read ended backup-read open "
           "unit-failed ended-0/0/1/0"
        << "the port /dev/ttyUSB7 could not be opened; the radio was not changed";
    QTest::newRow("the port gone before the read-back leaves the write unverified")
        << "batch units=1"
        << "open ok open ok kept open ok no-port"
        << "say-waiting open identify-quickly ended say-unit open read ended backup-read open "
           "write ended open unit-failed ended-0/0/1/0"
        << "the port /dev/ttyUSB7 could not be opened; the write was not verified: verify the "
           "radio or write it again";
    QTest::newRow("next radio on Enter")
        << "batch units=2 enter" << unit + " yes open"
        << unitActions + " unit-ok say-disconnect ask-next say-waiting open identify-quickly"
        << "written and verified";
    QTest::newRow("next radio on replug: asked until it goes, then until one comes")
        << "batch units=2" << unit + " wait-over open ok wait-over open silent wait-over open"
        << unitActions + " unit-ok say-disconnect wait open identify-quickly ended wait open "
                         "identify-quickly ended say-waiting wait open identify-quickly"
        << "written and verified";
    QTest::newRow("a version question during the batch is answered No")
        << "batch units=1"
        << "open ok open asks refuses"
        << "say-waiting open identify-quickly ended say-unit open read answer-no ended "
           "unit-failed ended-0/0/1/0"
        << "the radio was not accepted";
}

// Ctrl+C: a radio not yet written is left alone, one being written is finished first.
void TestRadioSession::batchInterrupted_data()
{
    batchColumns();
    QTest::newRow("interrupted while reading: the radio is left untouched")
        << "batch"
        << "open ok open interrupt cancelled"
        << "say-waiting open identify-quickly ended say-unit open read cancel ended "
           "unit-interrupted ended-0/0/0/1"
        << "interrupted before the write: the radio was not changed";
    QTest::newRow("interrupted while writing: the radio is finished first")
        << "batch"
        << "open ok open ok kept open interrupt ok open ok"
        << "say-waiting open identify-quickly ended say-unit open read ended backup-read open "
           "write say-interrupted: ended open read-back ended unit-ok ended-1/0/0/0"
        << "written and verified";
    QTest::newRow("interrupted while reading back: the check is finished first")
        << "batch"
        << "open ok open ok kept open ok open interrupt ok"
        << "say-waiting open identify-quickly ended say-unit open read ended backup-read open "
           "write ended open read-back say-interrupted: ended unit-ok ended-1/0/0/0"
        << "written and verified";
    QTest::newRow("interrupted while waiting for a radio")
        << "batch"
        << "open silent interrupt"
        << "say-waiting open identify-quickly ended wait ended-0/0/0/0"
        << "";
    QTest::newRow("interrupted during an ask")
        << "batch"
        << "open interrupt cancelled"
        << "say-waiting open identify-quickly cancel ended ended-0/0/0/0"
        << "";
}

void TestRadioSession::batchInterrupted()
{
    batchStages();
}

void TestRadioSession::batchStages()
{
    QFETCH(QString, job);
    QFETCH(QString, inputs);
    QFETCH(QString, actions);
    QFETCH(QString, message);
    RadioImage planImage;
    fillPattern(planImage, 3);
    DocumentSet plan;
    UnpackImageIntoDocument(planImage, plan);
    const DocumentSet base;
    const VersionRegistry versions = ownVersionOnly();
    ScriptedSession scripted;
    fillPattern(scripted.radio, 4);
    scripted.apply(scripted.session.start(jobFrom(job, plan, base, versions)));
    for (const QString &input : inputs.split(' ', Qt::SkipEmptyParts))
        scripted.hand(input);
    QCOMPARE(scripted.trace.join(' '), actions);
    if (!message.isEmpty()) {
        QVERIFY(!scripted.units.empty());
        QCOMPARE(QString::fromStdString(scripted.units.back().message), message);
    }
    for (const UnitRecord &record : scripted.units) {
        QCOMPARE(record.port, std::string("COM3"));
        QCOMPARE(record.backup.empty(),
                 record.result == "refused" || scripted.trace.indexOf("backup-read") < 0);
    }
    if (scripted.end && scripted.end->done > 0) {
        RadioImage packed;
        PackDocumentIntoImage(plan, packed);
        QVERIFY(scripted.radio == packed);
        QCOMPARE(scripted.units.back().backup, std::string("/backups/20260101-120000_ORX740_read"));
    }
}

// What the image does not carry stays as the base has it: the window's working set keeps the
// user's own, the command line's new document its defaults.
void TestRadioSession::readOntoItsBase()
{
    RadioImage image;
    fillPattern(image, 9);
    DocumentSet working = newDocumentBase("20250101");
    working.settings.identity.date.assign("20240202");
    const DocumentSet fromWorking = documentFromImage(image, working);
    const DocumentSet fromNew = documentFromImage(image, newDocumentBase("20260303"));
    QCOMPARE(fromWorking.settings.identity.date.raw(), std::string("20240202"));
    QCOMPARE(fromNew.settings.identity.date.raw(), std::string("20260303"));
    // Whatever the base, the image's own records are the same.
    RadioImage a;
    RadioImage b;
    PackDocumentIntoImage(fromWorking, a);
    PackDocumentIntoImage(fromNew, b);
    QVERIFY(a == b);

    // A session's read makes its document the same way, on the job's base.
    ScriptedSession scripted;
    scripted.radio = image;
    const DocumentSet document;
    const VersionRegistry versions = ownVersionOnly();
    scripted.apply(scripted.session.start(jobFrom("read", document, working, versions)));
    for (const char *input : {"open", "ok", "kept"})
        scripted.hand(input);
    QVERIFY(scripted.session.document() == fromWorking);
}

void TestRadioSession::wholeJobsAgainstASimulatedRadio_data()
{
    QTest::addColumn<QString>("job");
    QTest::addColumn<int>("dropEvery");
    QTest::addColumn<int>("corruptEvery");
    QTest::addColumn<int>("pieceSize");
    QTest::addColumn<int>("dieAfter");
    QTest::addColumn<QString>("result");
    QTest::newRow("batch, clean line") << "batch units=1" << 0 << 0 << 0 << -1 << "ended-1/0/0/0";
    QTest::newRow("batch, lost replies")
        << "batch units=1" << 97 << 0 << 0 << -1 << "ended-1/0/0/0";
    QTest::newRow("batch, spoiled replies in pieces")
        << "batch units=1 keep-options" << 0 << 89 << 5 << -1 << "ended-1/0/0/0";
    QTest::newRow("batch, the radio dies in the write")
        << "batch units=1" << 0 << 0 << 0 << 1872 + 40 << "ended-0/0/1/0";
    QTest::newRow("write --verify, lost and spoiled")
        << "write verify" << 61 << 53 << 7 << -1 << "done";
    QTest::newRow("read, the radio dies") << "read" << 0 << 0 << 0 << 100 << "stopped";
}

// The session, a transfer engine and a simulated radio: the actions carried out as a runner
// would, with reply time-outs as ticks.
void TestRadioSession::wholeJobsAgainstASimulatedRadio()
{
    QFETCH(QString, job);
    QFETCH(int, dropEvery);
    QFETCH(int, corruptEvery);
    QFETCH(int, pieceSize);
    QFETCH(int, dieAfter);
    QFETCH(QString, result);
    RadioImage planImage;
    fillPattern(planImage, 5);
    DocumentSet plan;
    UnpackImageIntoDocument(planImage, plan);
    const DocumentSet base = newDocumentBase("20260101");
    const VersionRegistry versions = ownVersionOnly();
    RadioSimulator radio;
    fillPattern(radio.memory(), 6);
    radio.knobs().dropEvery = dropEvery;
    radio.knobs().corruptEvery = corruptEvery;
    radio.knobs().pieceSize = std::size_t(pieceSize);
    if (dieAfter >= 0)
        radio.knobs().dieAfterBlocks = dieAfter;

    RadioSession session;
    std::deque<SessionAction> pending;
    const auto queue = [&](SessionActions actions) {
        for (SessionAction &action : actions)
            pending.push_back(std::move(action));
    };
    std::optional<SessionEnd> end;
    int transfers = 0;
    queue(session.start(jobFrom(job, plan, base, versions)));
    while (!pending.empty() && !end) {
        SessionAction action = std::move(pending.front());
        pending.pop_front();
        if (std::holds_alternative<OpenPort>(action)) {
            queue(session.portOpened(true, kDevice));
        } else if (const auto *keep = std::get_if<KeepBackup>(&action)) {
            QVERIFY(!keep->contents.pair.dataFile.empty());
            queue(session.backupKept(std::string(kBackup)));
        } else if (const auto *start = std::get_if<StartTransfer>(&action)) {
            ++transfers;
            LinkHarness link;
            link.engine.setSettings(session.engineSettings());
            if (start->operation == CommOperation::Identify)
                link.apply(link.engine.startIdentify());
            else
                link.start(start->operation, *start->image);
            link.drive(radio);
            QVERIFY(link.outcome);
            queue(session.transferFinished(TransferReport{
                *link.outcome, link.engine.identification(), link.engine.transferAddress(),
                link.engine.lastPercentage(), link.messages}));
        } else if (const auto *finished = std::get_if<SessionFinished>(&action)) {
            end = finished->end;
        } else if (std::holds_alternative<Ask>(action) ||
                   std::holds_alternative<StartWait>(action)) {
            QFAIL("the job should have gone through without the user");
        }
    }
    QVERIFY(end);
    QCOMPARE(resultName(*end), result);
    if (result == "ended-1/0/0/0" || result == "done") {
        RadioImage written;
        PackDocumentIntoImage(
            job.contains("keep-options") ? mergeTemplate(plan, session.document(), true) : plan,
            written);
        QVERIFY(compareImages(written, radio.memory()).empty());
        QCOMPARE(transfers, job.startsWith("batch") ? 4 : 2);
    }
}

QTEST_APPLESS_MAIN(TestRadioSession)
#include "tst_radiosession.moc"
