-- The demo's own database (tools/demo.sh loads it into build/demo.db with
-- the sqlite3 program, converted to code page 1251 first, the code page
-- korvex and its libraries read texts in).
CREATE TABLE GOODS (CODE INTEGER PRIMARY KEY, NAME VARCHAR(30), CITY VARCHAR(20),
                    QTY INTEGER, PRICE REAL);
INSERT INTO GOODS VALUES
  (101, 'Чай чёрный байховый', 'Москва', 120, 89.50),
  (102, 'Кофе молотый', 'Санкт-Петербург', 45, 412.00),
  (103, 'Сахар-рафинад', 'Воронеж', 300, 74.90),
  (104, 'Мёд цветочный', 'Уфа', 28, 560.00),
  (105, 'Гречневая крупа', 'Алтайск', 210, 96.30),
  (106, 'Пряники тульские', 'Тула', 64, 145.00),
  (107, 'Сушки ванильные', 'Калуга', 150, 58.20),
  (108, 'Варенье малиновое', 'Кострома', 37, 289.00),
  (109, 'Baltic sprats', 'Рига', 80, 199.99),
  (110, 'Пастила белёвская', 'Белёв', 22, 390.00),
  (111, 'Квас хлебный', 'Ярославль', 96, 65.00),
  (112, 'Икра кабачковая', 'Краснодар', 140, 112.40);
