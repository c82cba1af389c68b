#pragma once

namespace vortana {

class Agent;
class Boxes;
class RandomSource;
class RecordStore;

// What the quiz's handlers get from outside: tests script these, the program
// passes the real ones.
struct QuizServices
{
    Boxes &boxes;
    Agent &agent;
    RandomSource &random;
    RecordStore &records;
};

} // namespace vortana
