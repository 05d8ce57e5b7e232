#!/usr/bin/env node
// Parses T-SQL batches with an independent ANTLR grammar (antlr4ts-sql).
//
//   node tsql-parse.js FILE...    each file holds one batch
//   node tsql-parse.js < batch    standard input holds one batch
//
// Prints "ok FILE" for every batch that parses and "error FILE:LINE:COLUMN
// MESSAGE" for every one that does not; exits 1 when any batch failed, 2 on
// a usage or I/O problem.
'use strict';

const fs = require('fs');
const { antlr4tsSQL, SQLDialect } = require('antlr4ts-sql');

function parse(text) {
  const errors = [];
  const listener = {
    syntaxError(recognizer, offending, line, column, message) {
      // The grammar's "expecting {...}" lists run to thousands of words.
      const cut = message.indexOf(' expecting {');
      const short = cut > 0 ? message.slice(0, cut) : message;
      // Token texts read through the grammar's case-changing stream come out
      // empty, so the offending token is cut from the batch itself.
      const near =
        offending && offending.startIndex >= 0 && offending.stopIndex >= offending.startIndex
          ? ` near '${text.slice(offending.startIndex, offending.stopIndex + 1)}'`
          : '';
      errors.push(`${line}:${column}${near}: ${short}`);
    },
  };
  const sql = new antlr4tsSQL(SQLDialect.TSQL);
  const tokens = sql.getTokens(text, [listener]);
  const parser = sql.getParser(tokens, [listener]);
  sql.getParseTree(parser);
  return errors;
}

function main() {
  const files = process.argv.slice(2);
  const inputs = files.length > 0 ? files : ['-'];
  let failed = false;
  for (const name of inputs) {
    let text;
    try {
      text = fs.readFileSync(name === '-' ? 0 : name, 'utf8');
    } catch (e) {
      process.stderr.write(`cannot read ${name}: ${e.message}\n`);
      process.exit(2);
    }
    const errors = parse(text);
    if (errors.length === 0) {
      process.stdout.write(`ok ${name}\n`);
    } else {
      failed = true;
      process.stdout.write(`error ${name}:${errors[0]}\n`);
    }
  }
  process.exit(failed ? 1 : 0);
}

main();
