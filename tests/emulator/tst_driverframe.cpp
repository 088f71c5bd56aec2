// The driver's frame parser: refusals of each kind, split and merged input, the runaway length.
#include "driver_frame.h"

#include <QtTest>

#include <vector>

using namespace lyntra::fw;

namespace {

struct FrameFields {
    uint32_t code = kIoctlCode;
    uint32_t direction = 0;
    uint32_t payloadField = 0xFFFFFFFF; // default: the real payload length
    uint16_t function = kVendorFunction;
    uint16_t value = 0;
    uint16_t index = 0;
    uint8_t request = kRequestOut;
    int payload = 2;
    int blockLength = -1; // default: what the host computes
    uint32_t outputLength = 0;
};

void le32(QByteArray &out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char(v >> (8 * i)));
}

void le16(QByteArray &out, uint16_t v)
{
    out.append(char(v));
    out.append(char(v >> 8));
}

QByteArray frame(const FrameFields &f)
{
    QByteArray block;
    le32(block, f.direction);
    le32(block, f.payloadField == 0xFFFFFFFF ? uint32_t(f.payload) : f.payloadField);
    le16(block, f.function);
    le16(block, f.value);
    le16(block, f.index);
    block.append('\0');
    block.append(char(f.request));
    for (int i = 0; i < f.payload; ++i)
        block.append(char(0x10 + i));
    const int length = f.blockLength >= 0 ? f.blockLength : std::max(block.size(), 20);
    block = block.leftJustified(length, '\0', true);
    QByteArray out;
    le32(out, f.code);
    le32(out, uint32_t(block.size()));
    out += block;
    le32(out, f.outputLength);
    return out;
}

FrameFields inFields()
{
    FrameFields f;
    f.direction = 1;
    f.request = kRequestIn;
    f.payload = 0;
    f.outputLength = 64;
    return f;
}

std::vector<DriverRequest> parseAll(const QByteArray &bytes, int chunk)
{
    FrameParser p;
    std::vector<DriverRequest> out;
    for (int at = 0; at < bytes.size(); at += chunk) {
        const QByteArray piece = bytes.mid(at, chunk);
        p.feed(reinterpret_cast<const uint8_t *>(piece.constData()), size_t(piece.size()));
        DriverRequest r;
        while (p.next(&r))
            out.push_back(r);
    }
    return out;
}

} // namespace

Q_DECLARE_METATYPE(FrameFields)

class TestDriverFrame : public QObject {
    Q_OBJECT
private slots:
    void refused_data();
    void refused();
    void accepted_data();
    void accepted();
    void splitAndMerged_data();
    void splitAndMerged();
    void runawayLengthClosesStream();
    void answerLayout();
};

void TestDriverFrame::refused_data()
{
    QTest::addColumn<FrameFields>("fields");
    QTest::addColumn<uint32_t>("status");
    FrameFields f;
    f.code = 0x222004;
    QTest::newRow("wrong code") << f << uint32_t(kFrameBadCode);
    f = FrameFields{};
    f.direction = 2;
    QTest::newRow("direction 2") << f << uint32_t(kFrameBadDirection);
    f = FrameFields{};
    f.function = 22;
    QTest::newRow("function 22") << f << uint32_t(kFrameBadFunction);
    f = FrameFields{};
    f.value = 1;
    QTest::newRow("value 1") << f << uint32_t(kFrameBadValueIndex);
    f = FrameFields{};
    f.index = 0x100;
    QTest::newRow("index 256") << f << uint32_t(kFrameBadValueIndex);
    f = FrameFields{};
    f.request = kRequestIn;
    QTest::newRow("OUT with request 30") << f << uint32_t(kFrameBadRequest);
    f = inFields();
    f.request = kRequestOut;
    QTest::newRow("IN with request 29") << f << uint32_t(kFrameBadRequest);
    f = FrameFields{};
    f.payload = 0;
    QTest::newRow("empty message") << f << uint32_t(kFrameBadPayloadLength);
    f = FrameFields{};
    f.payload = 65;
    QTest::newRow("message of 65") << f << uint32_t(kFrameBadPayloadLength);
    f = FrameFields{};
    f.payload = 8;
    f.payloadField = 7;
    f.blockLength = 24;
    QTest::newRow("length field short of block") << f << uint32_t(kFrameBadBlockLength);
    f = FrameFields{};
    f.payload = 2;
    f.blockLength = 18;
    QTest::newRow("block under 20") << f << uint32_t(kFrameBadBlockLength);
    f = FrameFields{};
    f.payload = 8;
    f.blockLength = 28;
    QTest::newRow("block padded past payload") << f << uint32_t(kFrameBadBlockLength);
    f = FrameFields{};
    f.outputLength = 64;
    QTest::newRow("OUT asking for output") << f << uint32_t(kFrameBadOutputLength);
    f = inFields();
    f.outputLength = 63;
    QTest::newRow("IN of 63") << f << uint32_t(kFrameBadOutputLength);
    f = inFields();
    f.blockLength = 24;
    QTest::newRow("IN block of 24") << f << uint32_t(kFrameBadBlockLength);
    f = inFields();
    f.payloadField = 4;
    QTest::newRow("IN with a length") << f << uint32_t(kFrameBadPayloadLength);
    f = FrameFields{};
    f.payload = 0;
    f.payloadField = 0;
    f.blockLength = 4;
    QTest::newRow("block of 4") << f << uint32_t(kFrameBadBlockLength);
}

void TestDriverFrame::refused()
{
    QFETCH(FrameFields, fields);
    QFETCH(uint32_t, status);
    const auto got = parseAll(frame(fields), 4096);
    QCOMPARE(got.size(), size_t(1));
    QCOMPARE(got[0].status, status);
    QVERIFY(got[0].message.empty());
    QVERIFY(!got[0].closeAfterAnswer);
}

void TestDriverFrame::accepted_data()
{
    QTest::addColumn<FrameFields>("fields");
    QTest::addColumn<int>("messageLength"); // -1: an IN request
    for (int n : {1, 3, 4, 5, 63, 64}) {
        FrameFields f;
        f.payload = n;
        QTest::addRow("OUT of %d", n) << f << n;
    }
    QTest::newRow("IN") << inFields() << -1;
}

void TestDriverFrame::accepted()
{
    QFETCH(FrameFields, fields);
    QFETCH(int, messageLength);
    const auto got = parseAll(frame(fields), 4096);
    QCOMPARE(got.size(), size_t(1));
    QCOMPARE(got[0].status, uint32_t(kFrameOk));
    QCOMPARE(got[0].in, messageLength < 0);
    if (messageLength > 0) {
        QCOMPARE(got[0].message.size(), size_t(messageLength));
        QCOMPARE(got[0].message.front(), uint8_t(0x10));
        QCOMPARE(got[0].message.back(), uint8_t(0x10 + messageLength - 1));
    }
}

void TestDriverFrame::splitAndMerged_data()
{
    QTest::addColumn<int>("chunk");
    for (int chunk : {1, 3, 7, 31, 100, 10000})
        QTest::addRow("chunks of %d", chunk) << chunk;
}

void TestDriverFrame::splitAndMerged()
{
    QFETCH(int, chunk);
    FrameFields out;
    out.payload = 64;
    FrameFields bad;
    bad.function = 1;
    const QByteArray stream = frame(out) + frame(inFields()) + frame(bad) + frame(inFields()) + frame(out);
    const auto got = parseAll(stream, chunk);
    QCOMPARE(got.size(), size_t(5));
    QCOMPARE(got[0].message.size(), size_t(64));
    QVERIFY(got[1].in);
    QCOMPARE(got[2].status, uint32_t(kFrameBadFunction));
    QVERIFY(got[3].in);
    QCOMPARE(got[4].status, uint32_t(kFrameOk));

    FrameParser partial;
    const QByteArray half = frame(out).left(40);
    partial.feed(reinterpret_cast<const uint8_t *>(half.constData()), size_t(half.size()));
    DriverRequest r;
    QVERIFY(!partial.next(&r));
    QCOMPARE(partial.pending(), size_t(40));
}

void TestDriverFrame::runawayLengthClosesStream()
{
    QByteArray bytes;
    le32(bytes, kIoctlCode);
    le32(bytes, kMaxInputLength + 1);
    bytes += frame(inFields());
    FrameParser p;
    p.feed(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
    DriverRequest r;
    QVERIFY(p.next(&r));
    QCOMPARE(r.status, uint32_t(kFrameInputTooLong));
    QVERIFY(r.closeAfterAnswer);
    QVERIFY(p.closed());
    QVERIFY(!p.next(&r));
    p.feed(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
    QCOMPARE(p.pending(), size_t(0));

    // The largest legal length is only waited for, not refused.
    QByteArray big;
    le32(big, kIoctlCode);
    le32(big, kMaxInputLength);
    FrameParser q;
    q.feed(reinterpret_cast<const uint8_t *>(big.constData()), size_t(big.size()));
    QVERIFY(!q.next(&r));
    QVERIFY(!q.closed());
}

void TestDriverFrame::answerLayout()
{
    const uint8_t bytes[3] = {1, 2, 3};
    const std::vector<uint8_t> a = encodeAnswer(0xC0000002, bytes, 3);
    const std::vector<uint8_t> expected = {0x02, 0, 0, 0xC0, 3, 0, 0, 0, 1, 2, 3};
    QCOMPARE(a, expected);
    QCOMPARE(encodeAnswer(0, nullptr, 64).size(), size_t(8));
}

QTEST_GUILESS_MAIN(TestDriverFrame)
#include "tst_driverframe.moc"
