#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Field;

// A typed value of a result. A Count is a number that may pass 2^53
// (address counts, 64-bit values): JSON gives it as a string of decimal
// digits, always, so that no reader rounds it and the key keeps one type.
// Null is a value that does not exist for this item (the broadcast address
// of a /31, of any IPv6 network): JSON null, an empty CSV cell, no line of
// text. Lists and objects nest (a plan's parents with their free blocks);
// only JSON shows them.
struct Value
{
    enum class Kind
    {
        Text,
        Number, // written as its text: "25", "20.93"
        Count,
        Boolean,
        Null,
        List,
        Object,
    };
    Kind kind = Kind::Text;
    std::string text; // the shown form of the plain kinds
    bool truth = false;
    std::vector<Value> items;   // a list's
    std::vector<Field> members; // an object's, in order

    static Value of(std::string text);
    static Value integer(int64_t number);
    static Value number(std::string digits);
    static Value count(std::string digits);
    // `shown`: what people read ("yes", "no").
    static Value boolean(bool value, std::string shown);
    static Value null();
    static Value list(std::vector<Value> items = {});
    static Value object(std::vector<Field> members = {});

    bool nested() const { return kind == Kind::List || kind == Kind::Object; }
};

struct Field
{
    enum class Show
    {
        Everywhere,
        TextOnly, // the window's combined texts, e.g. "a  -  b"
        DataOnly, // their parts, for JSON, JSON lines and CSV
        CsvOnly,  // what JSON says by its shape instead (CSV and JSON lines)
    };
    std::string key;     // JSON and CSV name
    std::string caption; // text caption
    Value value;
    Show show = Show::Everywhere;
};
