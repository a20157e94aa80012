#include "platform/FileStamp.h"

#include "platform/TextFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// A file saved again the program's way (same size, through a renamed temporary file) never passes
// for the state that was stamped; an untouched file keeps its stamp.
TEST(FileStamp, TellsAFileSavedAgainFromTheOneStamped) {
    QTemporaryDir dir;
    const QString path = dir.filePath("live.xml");
    EXPECT_FALSE(FileStamp::Of(path).Exists);

    TextFile::WriteAtomic(path, "<a>1</a>");
    const FileStamp first = FileStamp::Of(path);
    EXPECT_TRUE(first.Exists);
    EXPECT_EQ(first.Size, 8);
    EXPECT_EQ(first, FileStamp::Of(path));

    TextFile::WriteAtomic(path, "<a>2</a>");
    EXPECT_NE(first, FileStamp::Of(path));
}
