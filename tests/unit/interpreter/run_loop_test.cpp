// The run loop over normal-form text (as the loader leaves it): results,
// error numbers, nesting limits and the depths that jumps and returns keep.
#include <gtest/gtest.h>

#include <string>

#include "eval_helpers.h"
#include "interpreter.h"

namespace {

class Probe : public Interpreter {
 public:
  const char* failedAt = nullptr;
  int stops = 0;
  int stopAt = -1;  // OnStop answers non-zero from this call on
  std::string unknownWord;  // the last word handed to the host

  void OnError(const char* position) override { failedAt = position; }
  int OnStop(const char*) override { return ++stops >= stopAt && stopAt >= 0; }
  int ExecUnknownStatement(const char* word) override {
    unknownWord = word;
    return 0;
  }
};

struct Outcome {
  uint32_t result;
  uint32_t error;
};

Outcome RunText(Probe& in, const std::string& text) {
  in.SetStart(text.c_str());
  if (!in.ScanLabels(text.c_str())) return {0, in.GetError()};
  uint32_t result = in.Run(text.c_str());
  return {result, in.GetError()};
}

std::string Var(Probe& in, const char* name) {
  VARIABLE* v = in.Variables().Find(name);
  return v ? Describe(*v) : "missing";
}

struct Case {
  const char* text;
  uint32_t result;
  uint32_t error;
};

TEST(RunLoop, ResultsAndErrorNumbers) {
  const Case cases[] = {
      {"\n;\n ; \n", 1, 0},
      {"END", 1, 0},
      {"END 0", 0, 0},
      {"END 5+2", 7, 0},
      {"END 1+", 0, 118},  // a failing END expression is an error
      {"X=5\nIF X THEN\nENDIF", 0, 116},
      {"IF 1=1\nX=1", 0, 112},
      {"IF 1=1 THEN\nX=1", 1, 0},  // the run ends inside a true block
      {"IF 1=2 THEN\nX=1", 0, 158},
      {"ELSE", 0, 156},
      {"ENDIF", 0, 155},
      {"GOTO NOWHERE", 0, 124},
      {"IF 1=2 GOTO NOWHERE\nX=1", 0, 124},  // the label must exist either way
      {"NEXT", 0, 128},
      {"CONTINUE", 0, 128},
      {"EXIT", 0, 149},
      {"FOR I=1 TO 3\nNEXT I", 0, 129},
      {"LOOP\nX=1", 0, 129},
      {"FOR I=1 3\nNEXT", 0, 112},
      {"FOR I 1 TO 3\nNEXT", 0, 112},
      {"FROB 1", 0, 123},
      {"REM BEGIN\nX=1", 0, 119},
      {"REM BEGIN\nEND 9\nREM END\nEND 4", 4, 0},
      {"REM anything: at all\nEND 3", 3, 0},
      {"ON \"A\" GOTO L\nL:", 0, 116},
      {"ON 1 GOTO NOWHERE", 0, 124},
      {"ON 1\nL:", 0, 112},
      {"ON 1 FETCH L\nL:", 0, 112},
      {"ON 0 GOTO NOWHERE\nEND 2", 2, 0},
      {"ON 3 GOTO A,B\nEND 2\nA:\nB:", 2, 0},
      {"ON 2.7 GOTO A,B\nA:\nEND 1\nB:\nEND 8", 8, 0},
      {"GOSUB NOWHERE", 0, 138},
      {"X=1\nX.M(1)", 0, 153},
      {"Y.M(1)", 0, 153},
      {"X.M", 0, 118},
      {"LIB!FN", 0, 118},
      {"L1:\nL1:", 0, 127},
      {"L1:X=1;L1:END 6", 6, 0},  // a label met while running keeps its place
      {"IF NOT 1 THEN X=1", 0, 116},
      {"END-1", 0xFFFFFFFF, 0},  // the loader squeezes "END -1" so
      {"END(2)", 2, 0},
      {"DIM A(70000)", 0, 117},
      {"DIM A(2)\nREDIM A(-1)", 0, 117},
  };
  for (const Case& c : cases) {
    Probe in;
    Outcome o = RunText(in, c.text);
    EXPECT_EQ(c.result, o.result) << c.text;
    EXPECT_EQ(c.error, o.error) << c.text;
    if (c.error) {
      EXPECT_NE(nullptr, in.failedAt) << c.text;
    }
  }
}

TEST(RunLoop, StatementWordsAndAssignments) {
  Probe in;
  // "BEEP;X" is one word: ';' does not end a statement word.
  EXPECT_EQ(1u, RunText(in, "BEEP;X=1\nY =2").result);
  EXPECT_EQ("LONG:1", Var(in, "BEEP;X"));
  EXPECT_EQ("LONG:2", Var(in, "Y"));
  EXPECT_EQ("missing", Var(in, "X"));

  // Quoted arguments glued to the word: their ':', '.' and '!' stay theirs,
  // and a '=' behind the closing ')' still makes an assignment.
  Probe glued;
  Outcome o = RunText(glued,
                      "A=IMAGE(4)\nPOKE(A,0,\"L\")=5\nP=PEEK(VARPTR(A),0,\"L\")\n"
                      "S=\"HXXLO.\"\nMID(S,2,2)=\"EL\"\nMID(S,INSTR(S,\".\"),1)=\"!\"\n"
                      "L1:\nX=1\nL2:Z=2");
  EXPECT_EQ(0u, o.error);
  EXPECT_EQ("LONG:5", Var(glued, "P"));
  EXPECT_EQ("STRING:HELLO!", Var(glued, "S"));
  EXPECT_EQ("LONG:1", Var(glued, "X"));
  EXPECT_EQ("LONG:2", Var(glued, "Z"));
  // A host statement with a quoted path is no label "LOAD(\"C".
  Probe load;
  EXPECT_EQ(123u, RunText(load, "LOAD(\"C:\\X.BAS\")").error);
  EXPECT_EQ("LOAD", load.unknownWord);
  // Without a blank CHAIN is no include: a member statement without '('.
  Probe chain;
  EXPECT_EQ(118u, RunText(chain, "CHAIN\"x.bas\"").error);
}

TEST(RunLoop, SkippedBranchesTrackNestingQuotesAndEnd) {
  Probe in;
  const char* text =
      "IF 1=2 THEN\nIF 1=1 THEN\nA=1\nELSE\nA=2\nENDIF\nS=\"ENDIF\"\nREM ELSE\nEND\n"
      "ELSE\nB=3\nENDIF\nEND 5";
  Outcome o = RunText(in, text);
  EXPECT_EQ(0u, o.error);
  EXPECT_EQ(5u, o.result);
  EXPECT_EQ("missing", Var(in, "A"));
  EXPECT_EQ("LONG:3", Var(in, "B"));
  EXPECT_EQ(0, in.IfDepth());
}

TEST(RunLoop, NestingLimits) {
  std::string fors, nexts;
  for (int i = 0; i < 20; ++i) {
    fors += "FOR I" + std::to_string(i) + "=1 TO 1\n";
    nexts += "NEXT\n";
  }
  {
    Probe in;
    EXPECT_EQ(0u, RunText(in, fors + nexts).error);
  }
  {
    Probe in;
    EXPECT_EQ(136u, RunText(in, fors + "LOOP\nNEXT\n" + nexts).error);
  }
  std::string ifs, endifs;
  for (int i = 0; i < 29; ++i) {
    ifs += "IF 1=1 THEN\n";
    endifs += "ENDIF\n";
  }
  {
    Probe in;
    EXPECT_EQ(0u, RunText(in, ifs + endifs).error);
  }
  {
    Probe in;
    EXPECT_EQ(157u, RunText(in, ifs + "IF 1=1 THEN\nENDIF\n" + endifs).error);
  }
}

TEST(RunLoop, JumpsDropLoopFramesAndLevelsAreRestored) {
  {
    Probe in;  // GOTO out of the only loop: a later EXIT has no loop
    EXPECT_EQ(149u, RunText(in, "FOR I=1 TO 5\nGOTO OUT\nNEXT\nOUT:\nEXIT").error);
  }
  {
    Probe in;  // a jump inside the body keeps the loop
    EXPECT_EQ(0u, RunText(in, "N=0\nFOR I=1 TO 3\nGOTO IN\nN=100\nIN:\nN=N+1\nNEXT").error);
    EXPECT_EQ("LONG:3", Var(in, "N"));
  }
  {
    Probe in;  // EXIT and CONTINUE inside block IFs leave no IF level behind
    EXPECT_EQ(0u, RunText(in,
                          "FOR I=1 TO 50\nIF I<50 THEN\nCONTINUE\nENDIF\nIF 1=1 THEN\nEXIT\n"
                          "ENDIF\nNEXT")
                      .error);
    EXPECT_EQ(0, in.IfDepth());
    EXPECT_EQ(0, in.LoopDepth());
  }
  {
    Probe in;  // RETURN from inside a loop and an IF restores the caller's depths
    EXPECT_EQ(0u, RunText(in,
                          "FOR I=1 TO 3\nGOSUB S\nNEXT\nEND\nS:\nFOR J=1 TO 9\nIF J=2 THEN\n"
                          "RETURN\nENDIF\nNEXT")
                      .error);
    EXPECT_EQ("LONG:4", Var(in, "I"));
    EXPECT_EQ(0, in.IfDepth());
    EXPECT_EQ(0, in.LoopDepth());
  }
}

TEST(RunLoop, LoopEdgesAndSteps) {
  Probe in;
  Outcome o = RunText(in,
                      "N=0\nFOR I=1 TO 3\nN=N+1\nNEXT\nFOR J=5 TO 1\nN=100\nNEXT\n"
                      "FOR K=3 TO 1 STEP-1\nN=N+10\nNEXT\nFOR R=0 TO 1 STEP 0.5\nN=N+100\nNEXT");
  EXPECT_EQ(0u, o.error);
  EXPECT_EQ("LONG:4", Var(in, "I"));
  EXPECT_EQ("LONG:5", Var(in, "J"));
  EXPECT_EQ("LONG:0", Var(in, "K"));
  EXPECT_EQ("LONG:333", Var(in, "N"));
}

TEST(RunLoop, StopBreakAndTrace) {
  {
    Probe in;
    EXPECT_EQ(0u, RunText(in, "X=1\nBREAK\nX=2").result);
    EXPECT_EQ("LONG:1", Var(in, "X"));
    EXPECT_EQ(0u, in.GetError());
  }
  {
    Probe in;
    in.stopAt = 1;
    EXPECT_EQ(0u, RunText(in, "X=1\nSTOP\nX=2").result);
    EXPECT_EQ("LONG:1", Var(in, "X"));
  }
  {
    Probe in;  // with TRON every statement asks OnStop; the third says stop
    in.stopAt = 3;
    EXPECT_EQ(0u, RunText(in, "TRON\nX=1\nX=2\nX=3").result);
    EXPECT_EQ("LONG:2", Var(in, "X"));
  }
  {
    Probe in;  // a run that starts with an error set stops after one statement
    in.SetError(115);
    EXPECT_EQ(0u, RunText(in, "X=1\nX=2").result);
    EXPECT_EQ("LONG:1", Var(in, "X"));
  }
}

TEST(Subroutines, FramesParametersAndResults) {
  {
    Probe in;
    Outcome o = RunText(in,
                        "GOSUB P(1,2)\nEND\nP:PROC(@A,@B)\nX=@A+@B\nRETURN");
    EXPECT_EQ(0u, o.error);
    EXPECT_EQ("LONG:3", Var(in, "X"));
    EXPECT_EQ(nullptr, in.Frame());
  }
  {
    Probe in;  // a bare RETURN of a FUNC makes RESULT NULL
    EXPECT_EQ(0u, RunText(in, "RESULT=5\nGOSUB F\nEND\nF:FUNC(@X)\nRETURN").error);
    EXPECT_EQ("NULL:0", Var(in, "RESULT"));
  }
  {
    Probe in;  // arguments to a plain label are discarded
    EXPECT_EQ(0u, RunText(in, "GOSUB L(1,2,3)\nEND\nL:\nRETURN").error);
    EXPECT_EQ(0, in.Depth());
  }
  {
    Probe in;  // RETURN at the main level is passed over
    EXPECT_EQ(7u, RunText(in, "RETURN 5\nEND 7").result);
  }
  const Case counts[] = {
      {"GOSUB P(1)\nEND\nP:PROC(@A,@B)\nRETURN", 0, 122},
      {"GOSUB P(1,2,3)\nEND\nP:PROC(@A,@B)\nRETURN", 0, 122},
      {"GOSUB P(1,2\nEND\nP:PROC(@A)\nRETURN", 0, 112},
      {"GOSUB P\nEND 3\nP:PROC(@A)\nX=@A\nRETURN", 3, 0},
  };
  for (const Case& c : counts) {
    Probe in;
    Outcome o = RunText(in, c.text);
    EXPECT_EQ(c.result, o.result) << c.text;
    EXPECT_EQ(c.error, o.error) << c.text;
    EXPECT_EQ(nullptr, in.Frame()) << c.text;
  }
}

TEST(Subroutines, DeepRecursionUnwinds) {
  Probe in;
  Outcome o = RunText(in,
                      "GOSUB F(2000)\nEND RESULT\nF:FUNC(@N)\nIF @N=0 THEN RETURN 0\n"
                      "GOSUB F(@N-1)\nRETURN RESULT+1");
  EXPECT_EQ(0u, o.error);
  EXPECT_EQ(2000u, o.result);
  EXPECT_EQ(nullptr, in.Frame());
}

}  // namespace
