#include "app/transfer_progress.h"

#include <gtest/gtest.h>

namespace app {
namespace {

TEST(TransferProgress, TheGaugeTruncatesThePercentOfTheDirectionShown) {
    struct Case {
        bool transmitting;
        int total;
        int received;
        int sent;
        int position;
    };
    for (const Case c :
         {Case{false, 640, 320, 0, 50}, Case{false, 640, 639, 0, 99}, Case{false, 640, 640, 0, 100},
          Case{false, 640, 10, 600, 1}, Case{true, 544, 0, 272, 50}, Case{true, 544, 500, 543, 99},
          Case{false, 0, 5, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << c.total << " " << c.received << " " << c.sent);
        TTransferProgress progress;
        progress.Start(0, c.total);
        if (c.transmitting) progress.SetTransmetting();
        progress.AddReceived(23 * c.received, c.received);
        progress.AddSended(15 * c.sent, c.sent);
        EXPECT_EQ(progress.Position(), c.position);
    }
}

TEST(TransferProgress, StartResetsEveryCountAndTheLayout) {
    TTransferProgress progress;
    progress.Start(0, 640);
    progress.SetTransmetting();
    progress.AddSended(644, 5);
    progress.AddSended(644, 5);
    progress.AddReceived(15, 1);
    progress.AddElem(2);
    EXPECT_EQ(progress.BytesSended(), 1288);
    EXPECT_EQ(progress.MessagesSended(), 10);
    EXPECT_EQ(progress.Elems(), 2);

    progress.Start(3, 130);
    EXPECT_FALSE(progress.Transmitting());
    EXPECT_EQ(progress.BytesSended() + progress.MessagesSended() + progress.BytesReceived() +
                  progress.MessagesReceived() + progress.Elems(),
              0);
    EXPECT_EQ(progress.StartNumber(), 3);
    EXPECT_EQ(progress.TotalMessages(), 130);
}

} // namespace
} // namespace app
