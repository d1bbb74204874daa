// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever the receive buffer holds after a poll or an identify command: the answer checks, then
// everything the panel derives from an accepted answer without a window.

#include "FuzzCheck.h"

#include "link/MeterLink.h"
#include "link/ReadingDecoder.h"
#include "panel/PanelLogic.h"

using namespace veltrix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray received = fuzz::bytesOf(data, size);

    const auto poll = pollAnswer(received);
    FUZZ_CHECK(poll.has_value() == (received.size() == PollAnswerLength));
    if (poll) {
        FUZZ_CHECK(*poll == received);
        const quint8 status = quint8(poll->at(1));
        if (const auto blink = blinkCode(status))
            FUZZ_CHECK(*blink >= 0 && *blink <= 2);
        const StatusFlags flags = DecodeStatus(status);
        const QString shown = QStringLiteral("12.3");
        const DecodedValue v =
            DecodeValue(quint8(poll->at(2)), quint8(poll->at(3)), shown, flags, false);
        FUZZ_CHECK(!v.ReadingText.isEmpty());
        const QString peak = peakValue(shown, v.ReadingText);
        FUZZ_CHECK(peak == shown || peak == v.ReadingText || peak == QLatin1String("OL"));
        const AlarmMarks marks = alarmMarks(v.ReadingText, QStringLiteral("100"),
                                            QStringLiteral("1"), QStringLiteral("0"));
        FUZZ_CHECK(marks.over != Mark::Leave && marks.under != Mark::Leave);
    }

    const auto model = identifyAnswer(received);
    FUZZ_CHECK(model.has_value() == (received.size() == IdentifyAnswerLength));
    if (model) {
        // Two bytes in hex without leading zeros: two to four upper-case hex digits.
        FUZZ_CHECK(model->size() >= 2 && model->size() <= 4);
        for (const QChar c : *model)
            FUZZ_CHECK((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'));
        for (const Key key : {Key::Hold, Key::Range, Key::Peak, Key::Unit, Key::Record}) {
            FUZZ_CHECK(keyCommand(key, *model, data[0] & 1).size() == 1);
            FUZZ_CHECK(!keyWaits(key, *model).isEmpty());
        }
    }
    return 0;
}
