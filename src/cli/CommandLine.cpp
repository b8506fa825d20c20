#include "CommandLine.h"

#include <algorithm>
#include <iostream>

namespace murelo::cli {

CommandLine::CommandLine(const std::string& name, const std::string& description, std::string usage,
                         StrayStyle strays)
    : app_(description, "murelo9918-cli " + name), usage_(std::move(usage)), strays_(strays) {
    // Arguments nobody takes are refused below with the command's own words.
    app_.allow_extras(true);
    // A repeated option takes its last value, as the command line always did.
    app_.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app_.footer(usage_);
}

CLI::Option* CommandLine::value(const std::string& name, std::string& into,
                                const std::string& values, const std::string& description) {
    return app_.add_option(name, into, description)->type_name(values);
}

CLI::Option* CommandLine::flag(const std::string& name, bool& into,
                               const std::string& description) {
    return app_.add_flag(name, into, description);
}

CLI::Option* CommandLine::file(const std::string& name, std::string& into,
                               const std::string& description) {
    return app_.add_option(name, into, description)->type_name("");
}

CLI::Option* CommandLine::optionalValue(const std::string& name, std::string& into,
                                        const std::string& values, const std::string& description) {
    return value(name, into, values, description)->expected(0, 1);
}

CLI::Option* CommandLine::files(const std::string& name, std::vector<std::string>& into,
                                const std::string& description) {
    return app_.add_option(name, into, description)
        ->type_name("")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

bool CommandLine::given(const std::string& name) const {
    const CLI::Option* option = app_.get_option_no_throw(name);
    return option && option->count() > 0;
}

void CommandLine::refuseStray(const std::string& arg) const {
    if (strays_ == StrayStyle::UsageOnly)
        throw UsageError(usage_);
    if (strays_ == StrayStyle::Unexpected)
        throw UsageError("unexpected '" + arg + "' (" + usage_ + ")");
    if (strays_ == StrayStyle::TwoPictures)
        throw UsageError(
            (arg.starts_with("--") ? "unknown option '" : "only two pictures, not also '") + arg +
            "' (" + usage_ + ")");
    if (arg.starts_with(strays_ == StrayStyle::UnknownLongOption ? "--" : "-"))
        throw UsageError("unknown option '" + arg + "'");
    throw UsageError("only one FILE.bmp, not also '" + arg + "'");
}

bool CommandLine::parse(Args args) {
    // CLI11 takes its arguments last one first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app_.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        std::cout << app_.help();
        return false;
    } catch (const CLI::ArgumentMismatch& e) {
        const std::string what = e.what();
        for (const CLI::Option* option : app_.get_options())
            if (what.starts_with(option->get_name() + ":"))
                throw UsageError(option->get_name() + " needs a value");
        throw UsageError(what);
    } catch (const CLI::ParseError& e) {
        throw UsageError(e.what());
    }
    const std::vector<std::string> strays = app_.remaining();
    if (!strays.empty())
        refuseStray(strays.front());
    return true;
}

std::vector<std::string> CommandLine::givenInOrder() const {
    std::vector<std::string> names;
    for (const CLI::Option* option : app_.parse_order())
        names.push_back(option->get_name());
    // A value option appears once per value; one use gives one value here.
    return names;
}

} // namespace murelo::cli
