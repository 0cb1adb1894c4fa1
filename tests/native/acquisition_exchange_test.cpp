#include "device/acquisition_exchange.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>

#include "device/acquisition_failure.h"
#include "device/octets_en_hexa.h"
#include "tests/native/in_memory_usb_library.h"

namespace talvorne {
namespace {

using ::testing::ElementsAre;
using testing::Events;
using testing::InMemoryUsbLibrary;
using ::testing::IsEmpty;
using testing::Reply;
using testing::ReplyScript;

using Bytes = std::vector<std::uint8_t>;

constexpr char kStartCommandHex[] = "53005400410052005400";

Bytes Pattern(std::size_t length) {
  Bytes bytes(length);
  for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
  return bytes;
}

struct Exchange {
  Events events;
  InMemoryUsbLibrary library{events};

  explicit Exchange(std::vector<Reply> replies) {
    library.replies = ReplyScript(std::move(replies));
  }
  AcquisitionExchange Run() {
    std::optional<AcquisitionExchange> exchange =
        RunAcquisitionExchange(library, library.Handle(), &kOriginalOscilloscope);
    EXPECT_TRUE(exchange.has_value());
    return exchange.value_or(AcquisitionExchange{});
  }
};

TEST(OctetsEnHexa, LowerCaseHighNibbleFirstWithoutSeparator) {
  EXPECT_EQ(OctetsEnHexa(Bytes{}), "");
  EXPECT_EQ(OctetsEnHexa(Bytes{0x00, 0x0f, 0xf0, 0xff, 0xa5, 0x5a, 0x20, 0x4e}),
            "000ff0ffa55a204e");
}

TEST(AcquisitionExchange, NullHandleMakesNoCallAndNoReport) {
  Events events;
  InMemoryUsbLibrary library{events};
  EXPECT_FALSE(RunAcquisitionExchange(library, nullptr, &kOriginalOscilloscope).has_value());
  EXPECT_THAT(events, IsEmpty());
}

TEST(AcquisitionExchange, CompleteExchangeOfA20000ByteRecord) {
  const Bytes header = {0x20, 0x4E, 0x00, 0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef, 0xff};
  Exchange x({Reply().Header(header).Record(Pattern(20000))});
  const AcquisitionExchange result = x.Run();

  EXPECT_THAT(x.events, ElementsAre(std::string("usb_bulk_write handle 0x03 10 2000 ") +
                                        kStartCommandHex + " -> 10",
                                    "usb_bulk_read handle 0x81 12 2000 zeroed -> 12",
                                    "usb_bulk_read handle 0x81 20000 5000 zeroed -> 20000"));
  EXPECT_EQ(result.headerRequest, "recv2");
  EXPECT_EQ(result.sendStatus, "SEND");
  EXPECT_EQ(result.headerStatus, "RECV");
  EXPECT_EQ(result.headerCount, "READ : 12/12");
  EXPECT_EQ(result.writeCount, "WRITE : 10/10");
  EXPECT_EQ(result.recordStatus, "RECV DATA");
  EXPECT_EQ(result.recordCount, "READ DATA : 20000/20000");
  EXPECT_EQ(result.headerHex, "204e000123456789abcdefff");
  EXPECT_EQ(result.record, Pattern(20000));
  EXPECT_EQ(result.written, 10);
  EXPECT_EQ(result.headerRead, 12);
  EXPECT_EQ(result.recordRead, 20000);
}

TEST(AcquisitionExchange, RecordLengthIsTheFirstThreeBytesLittleEndian) {
  // Byte 2 weighs 65536; byte 3 and beyond do not count.
  Exchange x({Reply().Header({0x01, 0x00, 0x01, 0xff, 0xff}, 12)});
  const AcquisitionExchange result = x.Run();
  EXPECT_EQ(x.events.back(), "usb_bulk_read handle 0x81 65537 5000 zeroed -> 0");
  EXPECT_EQ(result.record.size(), 65537u);
  EXPECT_EQ(result.recordCount, "READ DATA : 0/65537");
  EXPECT_EQ(result.recordStatus, "Erreur recv data");

  Exchange largest({Reply().Header({0xff, 0xff, 0xff}).Record(Pattern(16777215))});
  EXPECT_EQ(largest.Run().recordCount, "READ DATA : 16777215/16777215");
}

TEST(AcquisitionExchange, HeaderThatNeverArrivesGivesAnEmptyRecordAndTheExchangeGoesOn) {
  Exchange x({Reply().Header({}, -116)});
  const AcquisitionExchange result = x.Run();

  EXPECT_THAT(x.events, ElementsAre(std::string("usb_bulk_write handle 0x03 10 2000 ") +
                                        kStartCommandHex + " -> 10",
                                    "usb_bulk_read handle 0x81 12 2000 zeroed -> -116",
                                    "usb_bulk_read handle 0x81 0 5000 zeroed -> 0"));
  EXPECT_EQ(result.headerRequest, "recv2");
  EXPECT_EQ(result.headerCount, "READ : -116/12");
  EXPECT_EQ(result.headerStatus, "Erreur recv");
  EXPECT_EQ(result.headerHex, "000000000000000000000000");
  EXPECT_EQ(result.recordCount, "READ DATA : 0/0");
  EXPECT_EQ(result.recordStatus, "RECV DATA");
  EXPECT_THAT(result.record, IsEmpty());
}

TEST(AcquisitionExchange, ShortOrFailedTransfersAreReportedWithTheirFullSignedCounts) {
  // A short header still announces L from what arrived; the rest of it stays zero.
  Exchange x({Reply().Write(INT_MIN).Header({0x04, 0x00, 0x00, 0x99}).Record({9}, -110)});
  const AcquisitionExchange result = x.Run();
  EXPECT_EQ(result.writeCount, "WRITE : -2147483648/10");
  EXPECT_EQ(result.sendStatus, "ERREUR send");
  EXPECT_EQ(result.headerCount, "READ : 4/12");
  EXPECT_EQ(result.headerStatus, "Erreur recv");
  EXPECT_EQ(result.headerHex, "040000990000000000000000");
  EXPECT_EQ(result.recordCount, "READ DATA : -110/4");
  EXPECT_EQ(result.recordStatus, "Erreur recv data");
  EXPECT_EQ(x.events.size(), 3u);  // every transfer is attempted

  Exchange shortWrite({Reply().Write(9)});
  EXPECT_EQ(shortWrite.Run().sendStatus, "ERREUR send");
  Exchange failedZeroLength({Reply().Record({}, -5)});
  EXPECT_EQ(failedZeroLength.Run().recordStatus, "Erreur recv data");
}

TEST(AcquisitionExchange, ShortRecordKeepsItsLengthWithUndeliveredBytesZero) {
  const Bytes delivered = Pattern(40);
  Exchange x({Reply().Header({100, 0, 0}, 12).Record(delivered)});
  const AcquisitionExchange result = x.Run();

  EXPECT_EQ(x.events.back(), "usb_bulk_read handle 0x81 100 5000 zeroed -> 40");
  EXPECT_EQ(result.recordCount, "READ DATA : 40/100");
  EXPECT_EQ(result.recordStatus, "Erreur recv data");
  Bytes expected = delivered;
  expected.resize(100, 0);
  EXPECT_EQ(result.record, expected);
}

TEST(AcquisitionExchange, EveryPressRunsAFreshExchange) {
  Exchange x({Reply().Header({8, 0, 0}, 12).Record(Bytes(8, 0xff)),
              Reply().Header({8, 0, 0}, 12).Record({0x11, 0x11}), Reply().Header({}, -116)});
  const std::string write =
      std::string("usb_bulk_write handle 0x03 10 2000 ") + kStartCommandHex + " -> 10";

  EXPECT_EQ(x.Run().record, Bytes(8, 0xff));
  const AcquisitionExchange second = x.Run();
  EXPECT_EQ(second.record, (Bytes{0x11, 0x11, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(second.recordStatus, "Erreur recv data");
  // No header arrives the third time: nothing of the earlier headers is left to announce a length.
  const AcquisitionExchange third = x.Run();
  EXPECT_THAT(third.record, IsEmpty());
  EXPECT_EQ(third.headerHex, "000000000000000000000000");

  EXPECT_THAT(x.events, ElementsAre(write, "usb_bulk_read handle 0x81 12 2000 zeroed -> 12",
                                    "usb_bulk_read handle 0x81 8 5000 zeroed -> 8", write,
                                    "usb_bulk_read handle 0x81 12 2000 zeroed -> 12",
                                    "usb_bulk_read handle 0x81 8 5000 zeroed -> 2", write,
                                    "usb_bulk_read handle 0x81 12 2000 zeroed -> -116",
                                    "usb_bulk_read handle 0x81 0 5000 zeroed -> 0"));
}

TEST(AcquisitionFailure, OnlyTheWholeHeaderAndTheWholeRecordMakeATable) {
  struct Case {
    int written, headerRead, recordRead;
    std::size_t length;
    const char* message;  // none: the record goes to the conversion
    bool lost;
  };
  const Case cases[] = {
      {10, 12, 20116, 20116, nullptr, false},
      {10, 12, 0, 0, nullptr, false},       // an empty record is the conversion's to judge
      {-22, 12, 265, 265, nullptr, false},  // the start command refused, the answer whole
      {10, 12, 20200, 20116, nullptr, false},
      {-5, -5, -5, 0,
       "L'oscilloscope ne répond plus. Vérifiez le câble USB, puis cliquez sur "
       "« Connexion ».",
       true},
      {10, -116, 0, 0,
       "L'oscilloscope n'a pas répondu (-116). Vérifiez qu'il est allumé et "
       "relié, puis recommencez.",
       false},
      {-5, 4, 0, 4,
       "L'oscilloscope n'a pas répondu (4). Vérifiez qu'il est allumé et relié, "
       "puis recommencez.",
       false},
      {10, 12, -116, 20116,
       "Courbe non reçue (-116). Le tableau n'a pas changé ; recommencez la "
       "récupération.",
       false},
      {10, 12, 265, 65537,
       "Courbe incomplète : 265 octets reçus sur 65537. Le tableau n'a pas "
       "changé ; recommencez la récupération.",
       false},
  };
  for (const Case& test : cases) {
    AcquisitionExchange exchange;
    exchange.written = test.written;
    exchange.headerRead = test.headerRead;
    exchange.recordRead = test.recordRead;
    exchange.header.resize(12);
    exchange.record.resize(test.length);
    const std::optional<AcquisitionFailure> failure = FailureOf(exchange);
    SCOPED_TRACE(::testing::Message() << test.written << " " << test.headerRead << " "
                                      << test.recordRead << "/" << test.length);
    ASSERT_EQ(failure.has_value(), test.message != nullptr);
    if (!failure) continue;
    EXPECT_EQ(failure->message, test.message);
    EXPECT_EQ(failure->oscilloscopeLost, test.lost);
  }
}

}  // namespace
}  // namespace talvorne
