// Reads a text description of a component tree (a form and the components it owns) into an
// existing root component:
//
//   object Form1: TForm1
//     Caption = 'Puzzlebin V1.0.0'
//     Font.Name = 'Arial'
//     object Panel1: TPanel
//       Align = alClient
//     end
//   end
//
// Values: integers (decimal, "$" hex), numbers with a fraction, 'strings' ('' is a quote;
// #NNN character codes, adjacent or joined with "+", also across lines), True/False,
// identifiers (enumerations, component references, event handlers), [sets], ( lists of
// lines ), { hex binary data }, and the empty collection <>.
//
// Loading order: the root and each created component get csLoading|csReading; components
// are constructed in description order with the root as owner, named, given their enclosing
// object through SetParentComponent, and their properties are set in order. References and
// event bindings are resolved after every component exists, in description order. Then
// csReading is cleared everywhere and Loaded() runs on the root first and then on every
// created component in creation order (the framework's order). Running OnCreate is the
// caller's business.
//
// Every failure raises EFilerError (EClassNotFound for an unknown class) whose message starts
// with "line N: ". Components created before the failure stay owned by the root and are freed
// with it; loading flags are cleared. Limits against hostile input: 64 MiB of text, 32
// levels of nesting, 10,000 components.
#pragma once

#include <string>

class TComponent;

void ReadComponentDescription(const std::string& utf8Text, TComponent& root);
// Raises EFOpenError when the file cannot be read.
void ReadComponentDescriptionFile(const std::string& path, TComponent& root);
