#pragma once
// The reader of the favourites file, config/collect.xml beside the program:
// an XML document in code page 936. The root's child elements are the
// groups (first attribute the title); a group's child named "item" is a
// nested group whose child elements are links, any other child element a
// link (first attribute the title, second the address). Attributes count
// by position; a missing one is an empty text. Comments and text between
// elements are skipped; nesting ends at the second level.
//
// Ids follow document order, depth first, on two counters: groups from
// 1060, links from 1170. Only 1060-1160 and 1170-1570 reach their commands,
// so the reader keeps the first 101 groups and 401 links and drops the rest
// (a dropped group with everything in it).
#include <string>

#include "collect_entry.h"
#include "win/types.h"

constexpr int kFirstGroupId = 1060;
constexpr int kFirstLinkId = 1170;
constexpr int kMaxGroups = 101;
constexpr int kMaxLinks = 401;

// The list in the file's bytes; empty when they are no readable document.
CollectList ReadCollectList(const std::string& xml);
// The list in config/collect.xml beside programFile (a system path); empty
// when the file is missing or unreadable.
CollectList ReadCollectListBeside(LPCWSTR programFile);
// Fills the process-wide list from the file beside this program, once:
// later calls change nothing. Reports nothing.
void LoadCollectList();
