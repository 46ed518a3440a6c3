#pragma once

// The text of a specific position code as the contract editor's "Pos:" box shows it ("QB",
// "FB", ... "P"); "" for a code outside the table.
const char* PositionText(int specificCode);
