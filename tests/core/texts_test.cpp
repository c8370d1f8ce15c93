// A record's text fields: they keep at most their column's width less one,
// as the char buffers they replace did, share what fits and copy what does
// not, and live until the run's records are released.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "block.h"
#include "records_topology.h"
#include "runstate.h"

namespace {

TEST(TextField, HoldsAtMostItsWidthLessOneAsABoundedCopyDid) {
    text_field<kName> name{};
    EXPECT_TRUE(name.empty());
    EXPECT_STREQ(name, "");
    name = std::string(30, 'a').c_str();
    EXPECT_EQ(std::string(name), std::string(30, 'a'));
    name = std::string(31, 'b').c_str();  // cut, never beyond the width
    EXPECT_EQ(std::string(name), std::string(30, 'b'));
    name = "";
    EXPECT_TRUE(name.empty());
    name = nullptr;
    EXPECT_STREQ(name, "");

    text_field<kText> text{};
    text = std::string(400, 'x').c_str();
    EXPECT_EQ(std::strlen(text), 300u);
    // Bytes that are not characters of a name go in as they are.
    text.assign("a'b\t\"c", 6);
    EXPECT_STREQ(text, "a'b\t\"c");
}

TEST(TextField, FormatsAsSnprintfIntoItsWidth) {
    text_field<kName> name{};
    EXPECT_EQ(name.format("%s-%d", "POL", 7), 5);
    EXPECT_STREQ(name, "POL-7");
    std::string long_text(50, 'z');
    EXPECT_EQ(name.format("%s", long_text.c_str()), 50);  // what snprintf answers
    EXPECT_EQ(std::string(name), std::string(30, 'z'));
    text_field<kText> text{};
    std::string wide(1000, 'w');
    text.format("%s!", wide.c_str());
    EXPECT_EQ(std::string(text), std::string(300, 'w'));
}

TEST(TextField, CopiesShareATextThatFitsAndCutOneThatDoesNot) {
    text_field<kName> name{};
    name = "EDGE";
    text_field<kText> wide{};
    wide = name;  // fits: shared
    EXPECT_EQ(static_cast<const char *>(wide), static_cast<const char *>(name));
    name = "CORE";  // a new text; the copy keeps its own
    EXPECT_STREQ(wide, "EDGE");
    wide = std::string(200, 'q').c_str();
    name = wide;  // wider than the field: cut
    EXPECT_EQ(std::string(name), std::string(30, 'q'));

    // Records copied whole keep their texts.
    domain_rec a{}, b{};
    a.domainname = "NORTH";
    b = a;
    a.domainname = "SOUTH";
    EXPECT_STREQ(b.domainname, "NORTH");
}

TEST(TextField, StoreTextRefusesWhatTheLimitOrTheFieldCannotHold) {
    text_field<kName> name{};
    EXPECT_TRUE(store_text(name, "ABC", 3));
    EXPECT_STREQ(name, "ABC");
    EXPECT_FALSE(store_text(name, "ABCD", 3));  // beyond the limit: emptied
    EXPECT_TRUE(name.empty());
    EXPECT_TRUE(store_text(name, std::string(30, 'n').c_str(), 300));
    EXPECT_FALSE(store_text(name, std::string(31, 'n').c_str(), 300));  // beyond the field
    EXPECT_TRUE(name.empty());
}

TEST(TextField, ATextRefServesBothKindsOfField) {
    char local[8] = "";
    text_field<kName> field{};
    for (text_ref t : {text_ref(local), text_ref(field)}) {
        EXPECT_TRUE(t.empty());
        t.set("0123456789");  // cut to the field
        EXPECT_FALSE(t.empty());
        EXPECT_FALSE(t.store("toolongforlocal", 14));
    }
    EXPECT_STREQ(local, "");
    EXPECT_STREQ(field, "");
    text_ref(local).set("0123456789");
    text_ref(field).set("0123456789");
    EXPECT_STREQ(local, "0123456");
    EXPECT_STREQ(field, "0123456789");
    // Read as it is filled: a reference made before the field is set.
    text_field<kText> later{};
    text_ref live(later);
    later = "SET";
    EXPECT_STREQ(live, "SET");
    text_ref none;
    EXPECT_STREQ(none, "");
    EXPECT_FALSE(none.store("x", 10));
}

TEST(TextField, TheArenaGoesWithTheRunsRecords) {
    releasememory("ALL");
    EXPECT_EQ(text_arena_bytes(), 0u);
    domain_rec *d = alloc_record<domain_rec>();
    d->domainname = "NORTH";
    append_record(prdomains, d);
    // A text beyond a chunk's spare room gets a chunk of its own.
    text_field<100000> huge{};
    std::string big(99999, 'h');
    huge = big.c_str();
    EXPECT_EQ(std::string(huge), big);
    EXPECT_STREQ(prdomains->domainname, "NORTH");
    EXPECT_GT(text_arena_bytes(), big.size());
    releasememory("ALL");
    EXPECT_EQ(text_arena_bytes(), 0u);
    EXPECT_EQ(prdomains.head, nullptr);
}

// A text met lately is shared, not stored again; texts that differ, even
// only inside, stay apart; the sharing goes with the run.
TEST(TextField, RepeatedTextsAreStoredOnce) {
    releasememory("ALL");
    text_field<31> a{}, b{}, c{}, d{};
    a = "NORTH12";
    b = std::string("NORTH12").c_str();
    EXPECT_EQ(a.c_str(), b.c_str());
    c = "NORTH13";
    EXPECT_NE(c.c_str(), a.c_str());
    EXPECT_STREQ(c, "NORTH13");
    text_field<301> long1{}, long2{};
    long1 = "a long description that differs only in its middle: one, then its end";
    long2 = "a long description that differs only in its middle: two, then its end";
    EXPECT_STREQ(long1, "a long description that differs only in its middle: one, then its end");
    EXPECT_STREQ(long2, "a long description that differs only in its middle: two, then its end");
    size_t held = text_arena_bytes();
    releasememory("ALL");
    EXPECT_EQ(text_arena_bytes(), 0u);
    d = "NORTH12";  // stored anew in the next run
    EXPECT_STREQ(d, "NORTH12");
    EXPECT_GT(held, 0u);
    releasememory("ALL");
}

// At every length (the hash reads whole words and a rest), a text that
// differs from a stored one in any one byte is stored apart, and an equal
// one is shared.
TEST(TextField, TextsThatDifferInOneByteAreNeverShared) {
    releasememory("ALL");
    for (size_t len = 1; len <= 40; ++len) {
        std::string base(len, 'a');
        for (size_t i = 0; i < len; ++i) base[i] = static_cast<char>('a' + i % 26);
        text_field<kText> kept{};
        kept = base.c_str();
        for (size_t at = 0; at < len; ++at) {
            std::string other = base;
            other[at] = 'Z';
            text_field<kText> t{};
            t = other.c_str();
            ASSERT_STREQ(t, other.c_str()) << len << " " << at;
            ASSERT_STREQ(kept, base.c_str()) << len << " " << at;
            text_field<kText> again{};
            again = base.c_str();
            ASSERT_STREQ(again, base.c_str());
        }
    }
    releasememory("ALL");
}

// Records come from the same arena: aligned for any field, a record given
// back serves the next of its size, and a record larger than a chunk's
// spare room still fits whole.
TEST(TextField, RecordsComeFromTheArenaAndAreReused) {
    releasememory("ALL");
    domain_rec *a = alloc_record<domain_rec>();
    domain_node_rec *b = alloc_record<domain_node_rec>();
    for (void *r : {static_cast<void *>(a), static_cast<void *>(b)})
        EXPECT_EQ(reinterpret_cast<uintptr_t>(r) % 16, 0u);
    a->domainname = "EAST";
    EXPECT_STREQ(a->domainname, "EAST");
    free_record(a);
    EXPECT_EQ(alloc_record<domain_rec>(), a);
    EXPECT_STREQ(alloc_record<domain_rec>()->domainname, "");  // a fresh one, zeroed
    struct wide {
        char bytes[5000];
    };
    auto *w = static_cast<wide *>(Malloc(sizeof(wide)));
    std::memset(w, 'w', sizeof(wide));
    EXPECT_EQ(w->bytes[4999], 'w');
    free_record(w);
    free_record(b);
    releasememory("ALL");
    EXPECT_EQ(text_arena_bytes(), 0u);
}

#if defined(__SANITIZE_ADDRESS__)
// Records carry no size: under AddressSanitizer one given back with the
// size of another class is reported, never kept for records it cannot hold.
TEST(RecordsDeathTest, ARecordGivenBackAsAnotherSizeIsReported) {
    releasememory("ALL");
    domain_rec *a = alloc_record<domain_rec>();
    EXPECT_DEATH(free_record(a, sizeof(domain_rec) + 16), "given back as one of");
    free_record(a);
    EXPECT_EQ(alloc_record<domain_rec>(), a);
    releasememory("ALL");
}
#endif

// A run of many chunks, then another: every record comes zeroed and keeps
// what it was given, and each run's chunks go back when it ends.
TEST(TextField, RunsOfManyChunksKeepEveryRecord) {
    releasememory("ALL");
    for (int run = 0; run < 2; ++run) {
        std::vector<domain_rec *> recs;
        for (int i = 0; i < 200000; ++i) {  // about 10 MB
            domain_rec *d = alloc_record<domain_rec>();
            ASSERT_STREQ(d->domainname, "");
            ASSERT_EQ(d->next, nullptr);
            d->domainname = ("D" + std::to_string(i)).c_str();
            recs.push_back(d);
        }
        EXPECT_GT(text_arena_bytes(), 8u << 20);
        for (int i = 0; i < 200000; ++i) ASSERT_EQ(std::string(recs[i]->domainname), "D" + std::to_string(i));
        releasememory("ALL");
        EXPECT_EQ(text_arena_bytes(), 0u);
    }
}

}  // namespace
