#include "state/text_list.h"

#include <gtest/gtest.h>

namespace mirel::state {
namespace {

struct Recorder : TextListObserver {
    std::vector<std::string> events;
    void lineInserted(int i) override { events.push_back("ins " + std::to_string(i)); }
    void lineRemoved(int i) override { events.push_back("rem " + std::to_string(i)); }
    void lineReplaced(int i) override { events.push_back("rep " + std::to_string(i)); }
    void linesReset() override { events.push_back("reset"); }
    void selectionChanged(int i) override { events.push_back("click " + std::to_string(i)); }
    void selectionShifted(int i) override { events.push_back("shift " + std::to_string(i)); }
};

TEST(TextListModel, TellsObserversEveryChangeAndKeepsTheSelectedLine) {
    TextList list;
    Recorder rec;
    list.addObserver(&rec);
    list.assign({"a", "b", "c"});
    list.select(1);
    list.select(1); // no change, no click
    list.insertAt(0, "z");
    EXPECT_EQ(list.selectedIndex(), 2);
    EXPECT_EQ(list.line(2), "b");
    list.replaceAt(2, "B");
    EXPECT_EQ(list.selectedIndex(), 2);
    list.removeAt(0);
    EXPECT_EQ(list.selectedIndex(), 1);
    list.removeAt(1);
    EXPECT_EQ(list.selectedIndex(), -1);
    list.append("d");
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(rec.events,
              (std::vector<std::string>{"reset", "click 1", "ins 0", "shift 2", "rep 2", "rem 0",
                                        "shift 1", "rem 1", "shift -1", "ins 2", "reset"}));
    list.removeObserver(&rec);
}

TEST(TextListModel, ObserversMayDetachWhileBeingTold) {
    TextList list;
    struct Leaving : TextListObserver {
        TextList* list = nullptr;
        TextListObserver* alsoLeaving = nullptr;
        int heard = 0;
        void lineInserted(int) override {
            ++heard;
            list->removeObserver(this);
            if (alsoLeaving)
                list->removeObserver(alsoLeaving);
        }
    } first, second;
    Recorder rec;
    first.list = second.list = &list;
    first.alsoLeaving = &second;
    list.addObserver(&first);
    list.addObserver(&second);
    list.addObserver(&rec);
    list.append("a");
    list.append("b");
    EXPECT_EQ(first.heard, 1);
    EXPECT_EQ(second.heard, 0) << "removed before its turn";
    EXPECT_EQ(rec.events, (std::vector<std::string>{"ins 0", "ins 1"}));
    list.removeObserver(&rec);
}

TEST(TextListModel, RejectsIndicesOutsideTheList) {
    TextList list;
    list.append("a");
    EXPECT_THROW(list.removeAt(1), std::out_of_range);
    EXPECT_THROW(list.insertAt(3, "x"), std::out_of_range);
    EXPECT_THROW(list.select(-1), std::out_of_range);
    EXPECT_NO_THROW(list.insertAt(1, "b"));
}

} // namespace
} // namespace mirel::state
