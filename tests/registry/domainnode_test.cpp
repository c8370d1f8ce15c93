// Reading a "domain . nodetype" reference: the messages, what the outputs
// get, and where the reading stops.
#include <cstring>
#include <string>

#include "fixture.h"
#include "records_topology.h"
#include "tokenizer.h"

namespace {

class DomainNode : public Registry {
protected:
    void SetUp() override {
        Registry::SetUp();
        reset_tokenizer();
        set(add(prdomains)->domainname, "CORE");
        domain_node_rec *n = add(prdomainnodes);
        set(n->domainname, "CORE");
        set(n->nodetype, "PE");
        set(n->devicetype, "ROUTER");
        for (token_entry *&b : buckets) b = nullptr;
    }

    int read(const std::string &text) {
        input = text;  // a last word that is not a keyword needs a blank after it
        FILE *fp = fmemopen(input.data(), input.size(), "r");
        int rc = parse_validate_domainnode(fp, buckets, domain, node, device);
        std::fclose(fp);
        return rc;
    }

    std::string input;
    token_entry *buckets[kBuckets];
    char domain[kName] = "";
    char node[kName] = "";
    char device[kName] = "";
};

TEST_F(DomainNode, AKnownReferenceFillsTheOutputs) {
    EXPECT_EQ(read("CORE . PE "), 0);
    EXPECT_STREQ(domain, "CORE");
    EXPECT_STREQ(node, "PE");
    EXPECT_STREQ(device, "ROUTER");
    EXPECT_EQ(log_text, "");
    EXPECT_EQ(g_error, 0);

    EXPECT_EQ(read("CORE.PE "), 0);
    EXPECT_STREQ(node, "PE");
}

TEST_F(DomainNode, UnknownNamesAreFlaggedAndReadingGoesOn) {
    EXPECT_EQ(read("EDGE . CE "), 0);
    EXPECT_EQ(log_text,
              "Error: domain undefined: 'EDGE' @ 1 \n<br>"
              "Error: Invalid node . Not defined : CE  @1\n<br>");
    EXPECT_EQ(g_error, 1);
    EXPECT_STREQ(domain, "EDGE");
    EXPECT_STREQ(node, "CE");
    EXPECT_STREQ(g_prevtoken, "CE");
    EXPECT_STREQ(device, "");
}

TEST_F(DomainNode, AMissingDotStopsTheReference) {
    EXPECT_EQ(read("CORE PE "), 1);
    EXPECT_EQ(log_text, "Error: '.' expected as a qualifer for node type @ 1\n<br>");
    EXPECT_STREQ(g_prevtoken, "PE");
}

TEST_F(DomainNode, EndOfInputReportsDomainThenDot) {
    EXPECT_EQ(read(""), 1);
    EXPECT_EQ(log_text,
              "Error: domain undefined: '' @ 1 \n<br>"
              "Error: '.' expected as a qualifer for node type @ 1\n<br>");
}

TEST_F(DomainNode, OverLongNamesNeverOverrunTheFields) {
    std::string name(40, 'D');
    EXPECT_EQ(read(name + " . " + std::string(40, 'N') + " "), 0);
    EXPECT_STREQ(domain, "");  // reported, and too long to keep
    EXPECT_STREQ(node, "");
    EXPECT_NE(log_text.find("Error: domain undefined: '" + name + "' @ 1 \n<br>"), std::string::npos);

    // A word beyond the tokenizer's limit is a token error.
    log_text.clear();
    EXPECT_EQ(read(std::string(300, 'W') + " "), 1);
    EXPECT_EQ(log_text.substr(log_text.find("<br>") + 4), "Error: Unexpected end of file @ 1 \n<br>");
    EXPECT_EQ(g_prevtokentype, TOKEN_ERROR);
}

}  // namespace
