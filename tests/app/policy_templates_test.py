#!/usr/bin/env python3
"""The Group Policy templates against the program's reader: every registry key and value the
templates write is one the program reads, each range is the one it accepts, and each thing it
reads has a template; both languages' texts hold every string and presentation the template
names. Usage: policy_templates_test.py SOURCE_DIR"""
import pathlib
import re
import sys
import xml.etree.ElementTree as ET

top = pathlib.Path(sys.argv[1])
ns = {"p": "http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions"}
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


# What the program reads, from its own sources.
policy_h = (top / "core/policy/Policy.h").read_text(encoding="utf-8")
constants = dict(re.findall(r'inline constexpr std::string_view (k\w+) = "([^"]+)";', policy_h))
numbers = {k: int(v) for k, v in re.findall(r"inline constexpr int (k\w+) = (\d+);", policy_h)}
reader = (top / "platform/windows/RegistryPolicySource.cpp").read_text(encoding="utf-8")
own_key = re.search(r'kOwnKey = L"([^"]+)"', reader).group(1).replace("\\\\", "\\")
limits = {constants[k] for k in ("kAllowCancel", "kMaxPostpones", "kAllowUserBookings",
                                 "kMinimumCountdown", "kDeferWhileBusy", "kMaxDeferMinutes",
                                 "kAllowUserCommand", "kPreActionCommand")}
bookings_key = own_key + "\\" + constants["kBookings"]
ranges = {constants["kAllowCancel"]: (0, 1), constants["kAllowUserBookings"]: (0, 1),
          constants["kMaxPostpones"]: (0, numbers["kMostPostponesLimit"]),
          constants["kMinimumCountdown"]: (numbers["kLeastMinimumCountdown"],
                                           numbers["kMostMinimumCountdown"]),
          constants["kDeferWhileBusy"]: (0, 1),
          constants["kMaxDeferMinutes"]: (1, numbers["kMostDeferMinutes"]),
          constants["kAllowUserCommand"]: (0, 1),
          # A text: read as the registry's string.
          constants["kPreActionCommand"]: "text"}

folder = top / "packaging/windows/policy"
admx = ET.parse(folder / "Brindlewhistmoore.admx").getroot()
written = {}
lists = set()
for policy in admx.iterfind(".//p:policy", ns):
    key = policy.get("key")
    check(key in (own_key, bookings_key), f"{policy.get('name')}: key {key} is not read")
    if policy.get("valueName"):
        low = [int(v.get("value")) for v in policy.iterfind(".//p:decimal", ns)]
        written[policy.get("valueName")] = (min(low), max(low))
    for element in policy.iterfind("p:elements/*", ns):
        tag = element.tag.split("}")[1]
        if tag == "decimal":
            written[element.get("valueName")] = (int(element.get("minValue")),
                                                 int(element.get("maxValue")))
        elif tag == "text":
            written[element.get("valueName")] = "text"
        elif tag == "list":
            check(element.get("key") == bookings_key and element.get("valuePrefix") == "",
                  "the list must write the values 1 to N of " + bookings_key)
            lists.add(element.get("key"))
        else:
            failures.append(f"{policy.get('name')}: an element the program does not read: {tag}")
for name, span in written.items():
    check(name in limits, f"the template writes {name}, which the program does not read")
    check(ranges.get(name) == span, f"{name}: the template allows {span}, the program {ranges.get(name)}")
for name in limits - written.keys():
    failures.append(f"the program reads {name}, which no template writes")
check(lists == {bookings_key}, "no template writes the bookings")

# Each language holds every text the template names, and nothing else.
named = set(re.findall(r"\$\((string|presentation)\.(\w+)\)",
                       (folder / "Brindlewhistmoore.admx").read_text(encoding="utf-8")))
for language in ("ja-JP", "en-US"):
    adml = ET.parse(folder / language / "Brindlewhistmoore.adml").getroot()
    held = {("string", s.get("id")) for s in adml.iterfind(".//p:string", ns)}
    held |= {("presentation", s.get("id")) for s in adml.iterfind(".//p:presentation", ns)}
    check(held == named, f"{language}: missing {sorted(named - held)}, extra {sorted(held - named)}")

for failure in failures:
    print("FAIL:", failure)
if failures:
    sys.exit(1)
print(f"the templates write exactly what the program reads: {sorted(limits)} and {bookings_key}")
